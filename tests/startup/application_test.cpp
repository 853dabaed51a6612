// The application object: its class table and accessors, registration and
// the command-line documents, quitting, activation, the file-type list.
#include "startup/application.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stddef.h>

#include <string>
#include <vector>

#include "core/compiled_code.h"
#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/string.h"
#include "quillon/entrypoints/application.h"
#include "quillon/entrypoints/objects.h"
#include "startup/file_types.h"
#include "startup/loop_world.h"
#include "startup/processinfo.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::LoopTest;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using Trace = std::vector<std::string>;

std::string Text(RuntimeString* s) { return std::string(StringText(s), static_cast<size_t>(StringLength(s))); }

// The MenuBar accessors as the image reaches them: through their link names
// (they may be another layer's definitions).
RuntimeObject* MenuBarOf(RuntimeObject* app) {
  return reinterpret_cast<RuntimeObject* (*)(RuntimeObject*, uint32_t)>(LookupEntryPoint("AppMenuBarGetter"))(app, 0);
}
void SetMenuBar(RuntimeObject* app, RuntimeObject* bar) {
  reinterpret_cast<void (*)(RuntimeObject*, uint32_t, RuntimeObject*)>(LookupEntryPoint("AppMenuBarSetter"))(app, 0, bar);
}

RuntimeObject* NewTracingApplication(const std::vector<int>& implemented = {0, 1, 2, 3, 4, 5, 6, 7, 8}) {
  return RuntimeNewObject(test::TracingApplicationClass(implemented));
}

// Registers a new tracing application; the runtime keeps the only reference.
void RegisterTracingApplication(const std::vector<int>& implemented = {0, 1, 2, 3, 4, 5, 6, 7, 8}) {
  RuntimeObject* app = NewTracingApplication(implemented);
  RuntimeRegisterAppObject(app);
  RuntimeUnlockObject(app);
}

// --- The class ---

TEST(ApplicationClass, EventsAndPropertiesStandInTheirTableOrder) {
  RuntimeClass* cls = ClassOf(intrinsic::Application);
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls->super, nullptr);
  EXPECT_EQ(cls->instanceSize, sizeof(ApplicationObject));
  const char* const events[] = {"Open",           "Close",    "EnableMenuItems", "NewDocument",       "OpenDocument",
                                "HandleAppleEvent", "Activate", "Deactivate",      "UnhandledException"};
  ASSERT_EQ(cls->eventCount, 9);
  ASSERT_EQ(intrinsic::Application.eventDeclarations.count, 9u);
  for (int i = 0; i < 9; ++i) {
    const EventDeclarationRecord& e = intrinsic::Application.eventDeclarations.items[i];
    EXPECT_EQ(Text(e.name), events[i]);
    EXPECT_EQ(e.slot, i) << events[i];
  }
  const EventDeclarationRecord& last = intrinsic::Application.eventDeclarations.items[8];
  EXPECT_EQ(Text(last.parameters), "error As RuntimeException");
  EXPECT_EQ(Text(last.result), "Boolean");
  EXPECT_EQ(static_cast<int>(ApplicationEvent::UnhandledException), 8);

  struct Row {
    const char* signature;
    uint32_t param;
    const char* getter;
    const char* setter;
  };
  const Row rows[] = {
      {"MouseCursor%o<MouseCursor>", offsetof(ApplicationObject, mouseCursor), "objGetter", "appMouseCursorSetter"},
      {"ResourceFork%o<ResourceFork>", 0, "appResourceForkGetter", nullptr},
      {"MDIWindow%o<MDIWindow>", offsetof(ApplicationObject, mdiWindow), "objGetter", "objSetter"},
      {"BalloonHelpVisible%b", offsetof(ApplicationObject, balloonHelpVisible), "AppBalloonHelpVisibleGetter",
       "AppBalloonHelpVisibleSetter"},
      {"MajorVersion%i", 0, "AppIntegerVersionStuffGetter", nullptr},
      {"MinorVersion%i", 1, "AppIntegerVersionStuffGetter", nullptr},
      {"BugVersion%i", 2, "AppIntegerVersionStuffGetter", nullptr},
      {"StageCode%i", 3, "AppIntegerVersionStuffGetter", nullptr},
      {"NonReleaseVersion%i", 4, "AppIntegerVersionStuffGetter", nullptr},
      {"RegionCode%i", 5, "AppIntegerVersionStuffGetter", nullptr},
      {"ShortVersion%s", 0, "AppStringVersionStuffGetter", nullptr},
      {"LongVersion%s", 1, "AppStringVersionStuffGetter", nullptr},
      {"PackageInfo%s", 2, "AppStringVersionStuffGetter", nullptr},
      {"MenuBar%o<MenuBar>", 0, "AppMenuBarGetter", "AppMenuBarSetter"},
      {"DockItem%o<DockItem>", 0, "AppDockItemGetter", nullptr},
  };
  ASSERT_EQ(cls->propertyCount, 15);
  for (int i = 0; i < 15; ++i) {
    const RuntimePropertyEntry& p = cls->properties[i];
    const Row& r = rows[i];
    EXPECT_EQ(Text(p.signature), r.signature) << i;
    EXPECT_EQ(p.param, r.param) << r.signature;
    // Every accessor is an entry point the image can import by its link name.
    EXPECT_EQ(p.getter, LookupEntryPoint(r.getter)) << r.signature;
    ASSERT_NE(p.getter, nullptr) << r.signature;
    if (r.setter) {
      EXPECT_EQ(p.setter, LookupEntryPoint(r.setter)) << r.signature;
      EXPECT_NE(p.setter, nullptr) << r.signature;
    } else {
      EXPECT_EQ(p.setter, nullptr) << r.signature;
    }
  }
  ASSERT_EQ(cls->staticMethodCount, 1);
  EXPECT_EQ(Text(cls->staticMethods[0].signature), "_AddMenuHandler%%o<Application>so<_MenuHandler>");
  EXPECT_EQ(cls->staticMethods[0].function, LookupEntryPoint("ApplicationAddMenuHandler"));
}

TEST(ApplicationClass, TheLoopsEntryPointsResolveByName) {
  for (const char* name : {"RuntimeRegisterAppObject", "RuntimeRun", "ApplicationQuit", "RuntimeBackgroundTask",
                           "getUserCancelled", "RuntimeRegisterFileType", "ApplicationAddMenuHandler"})
    EXPECT_NE(LookupEntryPoint(name), nullptr) << name;
}

TEST(ApplicationClass, AccessorsStoreWhatTheyAreGiven) {
  RuntimeObject* app = RuntimeNewObject(ClassOf(intrinsic::Application));
  RuntimeObject* cursor = RuntimeNewObject(ClassOf(intrinsic::Object));
  RuntimeObject* bar = RuntimeNewObject(ClassOf(intrinsic::Object));
  const uint32_t cursorParam = offsetof(ApplicationObject, mouseCursor);

  appMouseCursorSetter(app, cursorParam, cursor);
  EXPECT_EQ(cursor->refCount, 2);
  RuntimeObject* read = objGetter(app, cursorParam);
  EXPECT_EQ(read, cursor);
  RuntimeUnlockObject(read);
  appMouseCursorSetter(app, cursorParam, cursor);  // the same again: no second reference
  EXPECT_EQ(cursor->refCount, 2);

  SetMenuBar(app, bar);
  read = MenuBarOf(app);
  EXPECT_EQ(read, bar);
  RuntimeUnlockObject(read);

  EXPECT_FALSE(AppBalloonHelpVisibleGetter(app, 0));
  AppBalloonHelpVisibleSetter(app, 0, true);
  EXPECT_TRUE(AppBalloonHelpVisibleGetter(app, 0));

  for (uint32_t param = 0; param < 6; ++param) EXPECT_EQ(AppIntegerVersionStuffGetter(app, param), 0) << param;
  for (uint32_t param = 0; param < 3; ++param) EXPECT_EQ(AppStringVersionStuffGetter(app, param), nullptr) << param;
  EXPECT_EQ(appResourceForkGetter(app, 0), nullptr);
  EXPECT_EQ(AppDockItemGetter(app, 0), nullptr);

  // Destroying the application releases what it holds.
  RuntimeUnlockObject(app);
  EXPECT_EQ(cursor->refCount, 1);
  EXPECT_EQ(bar->refCount, 1);
  RuntimeUnlockObject(cursor);
  RuntimeUnlockObject(bar);
}

TEST(ApplicationClass, AccessorsRefuseNilAndObjectsOfOtherClasses) {
  const std::vector<void (*)(RuntimeObject*)> calls = {
      [](RuntimeObject* o) { appMouseCursorSetter(o, 28, nullptr); },
      [](RuntimeObject* o) { appResourceForkGetter(o, 0); },
      [](RuntimeObject* o) { AppBalloonHelpVisibleGetter(o, 0); },
      [](RuntimeObject* o) { AppBalloonHelpVisibleSetter(o, 0, true); },
      [](RuntimeObject* o) { AppIntegerVersionStuffGetter(o, 0); },
      [](RuntimeObject* o) { AppStringVersionStuffGetter(o, 0); },
      [](RuntimeObject* o) { AppDockItemGetter(o, 0); },
  };  // the MenuBar accessors report a nil application instead (tests/menus)
  RuntimeObject* other = RuntimeNewObject(ClassOf(intrinsic::Object));  // smaller than an Application
  for (size_t i = 0; i < calls.size(); ++i) {
    test::CatchScope scope;
    calls[i](nullptr);
    EXPECT_TRUE(scope.Close()) << i;
    EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException") << i;

    test::AssertionRecorder recorder;
    calls[i](other);
    EXPECT_TRUE(recorder.Saw("RuntimeObjectIsa(self, Application)")) << i;
  }
  RuntimeUnlockObject(other);
}

TEST(ApplicationClass, MenuHandlersAreKeptByNameWithOneReferenceEach) {
  RuntimeObject* app = RuntimeNewObject(ClassOf(intrinsic::Application));
  RuntimeObject* first = RuntimeNewObject(ClassOf(intrinsic::Object));
  RuntimeObject* second = RuntimeNewObject(ClassOf(intrinsic::Object));
  String name = NewStringFromCText("FileQuit");
  String sameNameOtherCase = NewStringFromCText("filequit");
  ApplicationObject* fields = AsApplication(app);
  EXPECT_EQ(fields->menuHandlers, nullptr);

  ApplicationAddMenuHandler(app, name.get(), nullptr);  // ignored
  EXPECT_EQ(fields->menuHandlers, nullptr);
  ApplicationAddMenuHandler(app, name.get(), first);
  ASSERT_NE(fields->menuHandlers, nullptr);
  EXPECT_EQ(fields->menuHandlers->Find(name.get()), first);
  EXPECT_EQ(first->refCount, 2);
  ApplicationAddMenuHandler(app, sameNameOtherCase.get(), second);  // replaces the first
  EXPECT_EQ(fields->menuHandlers->Count(), 1u);
  EXPECT_EQ(fields->menuHandlers->Find(name.get()), second);
  EXPECT_EQ(first->refCount, 1);
  EXPECT_EQ(second->refCount, 2);

  {
    test::AssertionRecorder recorder;
    ApplicationAddMenuHandler(app, nullptr, first);
    ApplicationAddMenuHandler(nullptr, name.get(), first);
    EXPECT_TRUE(recorder.Saw("name"));
    EXPECT_TRUE(recorder.Saw("self"));
    EXPECT_EQ(first->refCount, 1);
  }

  RuntimeUnlockObject(app);
  EXPECT_EQ(second->refCount, 1);
  RuntimeUnlockObject(first);
  RuntimeUnlockObject(second);
}

// --- Registration ---

using Registration = LoopTest;

TEST_F(Registration, OpenFiresFirstThenNewDocumentForAnEmptyCommandLine) {
  world().mdi = true;
  RuntimeObject* app = NewTracingApplication();
  RuntimeRegisterAppObject(app);
  EXPECT_EQ(CurrentApplication(), AsApplication(app));
  EXPECT_EQ(app->refCount, 2);  // the runtime keeps one
  RuntimeUnlockObject(app);
  EXPECT_THAT(trace(), ElementsAre("app Open", "show frame", "app NewDocument"));
}

TEST_F(Registration, NilRegistersAPlainApplication) {
  RuntimeRegisterAppObject(nullptr);
  ASSERT_NE(CurrentApplication(), nullptr);
  EXPECT_EQ(CurrentApplication()->header.cls, ClassOf(intrinsic::Application));
  EXPECT_TRUE(trace().empty());
}

TEST_F(Registration, AnObjectOfAnotherClassIsReportedAndAPlainApplicationTakesItsPlace) {
  RuntimeObject* other = RuntimeNewObject(ClassOf(intrinsic::Object));
  test::AssertionRecorder recorder;
  RuntimeRegisterAppObject(other);
  EXPECT_TRUE(recorder.Saw("RuntimeObjectIsa(app, Application)"));
  ASSERT_NE(CurrentApplication(), nullptr);
  EXPECT_EQ(CurrentApplication()->header.cls, ClassOf(intrinsic::Application));
  EXPECT_EQ(other->refCount, 1);
  RuntimeUnlockObject(other);
}

TEST_F(Registration, AnExceptionEscapingOpenIsReportedAndQuits) {
  world().onOpen = [] { RuntimeNilObject(); };
  RegisterTracingApplication({0, 3});
  EXPECT_THAT(trace(), ElementsAre("app Open", "message box", "app NewDocument"));
  EXPECT_THAT(world().messageBoxes,
              ElementsAre("An exception of class NilObjectException was not handled.\r\nThe application must shut down."));
  EXPECT_TRUE(QuitRequested());
}

TEST_F(Registration, QuitFromOpenEndsTheApplicationBeforeTheLoopRuns) {
  world().openWindows = 1;
  world().onOpen = [] { ApplicationQuit(); };
  RegisterTracingApplication();
  EXPECT_TRUE(QuitRequested());
  trace().push_back("run");
  RuntimeRun();
  EXPECT_THAT(trace(), ElementsAre("app Open", "cancel close?", "close documents", "app Close", "app NewDocument",
                                   "run"));
  EXPECT_TRUE(world().messageBoxes.empty());
}

struct DocumentsCase {
  std::string commandLine;
  bool opensDocuments;
  Trace trace;
};

// An absolute path of this system.
#if defined(_WIN32)
const std::string kRoot = "C:\\";
#else
const std::string kRoot = "/tmp/";
#endif

TEST_F(Registration, TheCommandLineNamesTheDocumentsToOpen) {
  const std::string a = kRoot + "a.txt", spaced = kRoot + "my file.txt", b = kRoot + "b.txt";
  const DocumentsCase cases[] = {
      {a + " \"" + spaced + "\" " + b,
       true,
       {"app Open", "app OpenDocument " + a, "app OpenDocument " + spaced, "app OpenDocument " + b}},
      {"\"" + spaced, true, {"app Open", "app OpenDocument " + spaced}},
      {"", true, {"app Open", "app NewDocument"}},
      {"   ", true, {"app Open"}},
      {"\"\" " + a, true, {"app Open", "app OpenDocument " + a}},
      {a, false, {"app Open", "app NewDocument"}},
  };
  for (const DocumentsCase& c : cases) {
    ResetApplicationState();
    trace().clear();
    world().documentItems.clear();
    KeepRawCommandLine(c.commandLine.c_str());
    const size_t liveBefore = LiveObjectCount();
    RegisterTracingApplication(c.opensDocuments ? std::vector<int>{0, 3, 4} : std::vector<int>{0, 3});
    EXPECT_THAT(trace(), ElementsAreArray(c.trace)) << "[" << c.commandLine << "]";
    // One FolderItem carries every document, and is released afterwards.
    for (RuntimeObject* item : world().documentItems) EXPECT_EQ(item, world().documentItems[0]) << c.commandLine;
    EXPECT_EQ(LiveObjectCount(), liveBefore + 1) << c.commandLine;  // the application alone
  }
}

// --- Quitting ---

using Quitting = LoopTest;

TEST_F(Quitting, ACancelCloseVetoLeavesEverythingAsItWasAndALaterQuitSucceeds) {
  RegisterTracingApplication({0, 1});
  trace().clear();
  world().openWindows = 2;
  world().cancelCloses = 1;
  {
    test::CatchScope scope;
    ApplicationQuit();
    EXPECT_FALSE(scope.Close());
  }
  EXPECT_THAT(trace(), ElementsAre("cancel close?"));
  EXPECT_EQ(world().openWindows, 2);
  EXPECT_FALSE(QuitRequested());
  EXPECT_EQ(CurrentApplication()->quitting, 0);

  trace().clear();
  RunProtected([](intptr_t) {
    {
      test::CatchScope scope;  // the application's own protected call of Quit
      ApplicationQuit();
      ASSERT_TRUE(scope.Close());
      EXPECT_STREQ(scope.CaughtClassName(), "EndException");
      test::World().trace.push_back("handler");
      RuntimeReraiseException(scope.caught());  // its clean-up passes it on
    }
    test::World().trace.push_back("returned");
  });
  EXPECT_THAT(trace(), ElementsAre("cancel close?", "close documents", "app Close", "handler", "returned"));
  EXPECT_TRUE(QuitRequested());
  EXPECT_TRUE(world().messageBoxes.empty());
  EXPECT_EQ(CurrentApplication()->quitting, 0);
}

TEST_F(Quitting, QuitOutsideAnyProtectedCallStillEnds) {
  RegisterTracingApplication({0, 1});
  world().openWindows = 1;
  ApplicationQuit();
  EXPECT_TRUE(QuitRequested());
  EXPECT_TRUE(world().messageBoxes.empty());
}

TEST_F(Quitting, IsNotReentrant) {
  RegisterTracingApplication({});
  CurrentApplication()->quitting = 1;
  EXPECT_FALSE(TryQuit());
  EXPECT_TRUE(trace().empty());
  EXPECT_EQ(CurrentApplication()->quitting, 1);
}

TEST_F(Quitting, WithoutAnApplicationIsReportedAndRefused) {
  test::AssertionRecorder recorder;
  EXPECT_FALSE(TryQuit());
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].source, "application");
  EXPECT_EQ(recorder.reports()[0].line, 1923);
  EXPECT_EQ(recorder.reports()[0].condition, "gApplicationObject");
  EXPECT_FALSE(QuitRequested());
}

// --- Activation ---

using Activation = LoopTest;

TEST_F(Activation, FiresOncePerChange) {
  ApplicationActivated();  // no application yet: nothing, and nothing remembered
  RegisterTracingApplication({6, 7});
  ApplicationDeactivated();
  ApplicationActivated();
  ApplicationActivated();
  ApplicationDeactivated();
  ApplicationDeactivated();
  ApplicationActivated();
  EXPECT_THAT(trace(), ElementsAre("app Activate", "app Deactivate", "app Activate"));
}

// --- File types ---

TEST(FileTypes, KeepTheirOwnReferencesInRegistrationOrder) {
  String name = NewStringFromCText("Text document");
  String extensions = NewStringFromCText("txt;text");
  String creator = NewStringFromCText("QLRN");
  RuntimeRegisterFileType(name.get(), nullptr, nullptr, extensions.get());
  RuntimeRegisterFileType(nullptr, creator.get(), nullptr, nullptr);
  const int32_t nameReferences = name.get()->refCount;
  name = String();
  extensions = String();
  creator = String();

  const FileType* first = FirstFileType();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->name.get()->refCount, nameReferences - 1);
  EXPECT_EQ(Text(first->name.get()), "Text document");
  EXPECT_EQ(Text(first->extensions.get()), "txt;text");
  EXPECT_TRUE(first->creator.empty() && first->type.empty());
  const FileType* second = first->next;
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(Text(second->creator.get()), "QLRN");
  EXPECT_TRUE(second->name.empty() && second->type.empty() && second->extensions.empty());
  EXPECT_EQ(second->next, nullptr);
  ForgetFileTypes();
  EXPECT_EQ(FirstFileType(), nullptr);
}

}  // namespace
}  // namespace ql
