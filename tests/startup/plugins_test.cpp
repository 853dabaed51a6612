#include "startup/plugins.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/class_lookup.h"
#include "platform/message_box.h"
#include "quillon/plugin.h"
#include "startup/exitcleanup.h"
#include "startup/synthetic_image.h"

namespace ql {
namespace {

using test::Bytes;

std::vector<std::string>* g_log = nullptr;

// Paths as the tests write them: Win32 joins with a backslash.
std::string Path(const char* path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

// The system as the installation pass sees it, with every call written to `log`.
class FakeServices final : public PluginServices {
 public:
  std::vector<std::string> log;
  bool mutexExists = false;
  std::map<std::string, std::string> candidates = {{"pref", "/prefs"}, {"app", "/app"}, {"root", "/"}};
  std::set<std::string> folders = {"/prefs", "/app", "/"};
  std::map<std::string, Bytes> files;
  std::set<std::string> inUse;  // cannot be removed
  std::set<std::string> cannotCreate;
  std::set<std::string> notLoadable;
  std::set<std::string> withoutMain;  // load, but lack "QUILPluginMain"
  QuillonPluginMainFunction main = nullptr;
  std::map<intptr_t, std::string> loaded;  // handle -> path

  void* CreateInstallMutex(bool* alreadyExisted) override {
    log.push_back("create mutex");
    *alreadyExisted = mutexExists;
    return this;
  }
  bool WaitForInstallMutex(void* mutex, uint32_t milliseconds) override {
    log.push_back("wait " + std::to_string(milliseconds) + (mutex == this ? "" : " for another mutex"));
    return false;  // the other process never lets go: the pass goes on anyway
  }
  void ReleaseInstallMutex(void* mutex) override { log.push_back(mutex == this ? "release mutex" : "release ?"); }

  String PreferencesFolder() override { return Candidate("pref"); }
  String ApplicationFolder() override { return Candidate("app"); }
  String RootFolder() override { return Candidate("root"); }
  bool FolderExists(const char* path) override { return folders.count(Path(path)) > 0; }

  bool FileExists(const char* path) override { return files.count(Path(path)) > 0; }
  bool RemoveFile(const char* path) override {
    log.push_back("remove " + Path(path));
    if (inUse.count(Path(path))) return false;
    return files.erase(Path(path)) > 0;
  }
  bool CreateHiddenFile(const char* path, ByteView bytes) override {
    log.push_back("create " + Path(path) + " " + std::to_string(bytes.size));
    if (cannotCreate.count(Path(path)) || files.count(Path(path))) return false;
    files[Path(path)] = Bytes(bytes.data, bytes.data + bytes.size);
    return true;
  }

  void* LoadPluginLibrary(const char* path) override {
    log.push_back("load " + Path(path));
    if (notLoadable.count(Path(path)) || !files.count(Path(path))) return nullptr;
    const intptr_t handle = static_cast<intptr_t>(loaded.size()) + 100;
    loaded[handle] = Path(path);
    return reinterpret_cast<void*>(handle);
  }
  void* FindPluginRoutine(void* library, const char* name) override {
    const std::string& path = loaded[reinterpret_cast<intptr_t>(library)];
    log.push_back(std::string("find ") + name + " in " + path);
    if (withoutMain.count(path) || std::string(name) != "QUILPluginMain") return nullptr;
    return reinterpret_cast<void*>(main);
  }
  void FreePluginLibrary(void* library) override {
    log.push_back("free " + loaded[reinterpret_cast<intptr_t>(library)]);
  }

  void ShowInstallFailure(const char* text) override { log.push_back(std::string("message ") + text); }
  void EndProcess() override { log.push_back("end process"); }

 private:
  String Candidate(const char* which) {
    const auto it = candidates.find(which);
    return it == candidates.end() ? String() : NewStringFromCText(it->second.c_str());
  }
};

void LoggingMain(QuillonLookupEntryPoint lookup) {
  g_log->push_back(lookup("RuntimeRegisterPluginClass") ? "main with the lookup" : "main without the lookup");
}

class PluginInstallation : public testing::Test {
 protected:
  void SetUp() override {
    services.main = LoggingMain;
    g_log = &services.log;
  }
  void TearDown() override {
    RunExitCleanup();
    g_log = nullptr;
  }

  void Run(const test::Resources& resources) {
    section_ = resources.bytes();
    index_.Clear();
    LoadFailure failure;
    ASSERT_TRUE(index_.Index(ByteView{section_.data(), section_.size()}, 0, &failure));
    RunPluginInstallationPass(services, index_);
  }

  FakeServices services;

 private:
  Bytes section_;
  ResourceIndex index_;
};

using Log = std::vector<std::string>;

TEST_F(PluginInstallation, AnImageWithoutPluginsStillTakesAndReleasesTheMutex) {
  Run(test::Resources().Add(FourCharCode("TEXT"), 1, {'x'}));
  EXPECT_EQ(services.log, (Log{"create mutex", "release mutex"}));
  EXPECT_TRUE(ExitCleanupIsEmpty()) << "no clean-up object without plug-ins";
}

TEST_F(PluginInstallation, PluginsAreInstalledInReverseTableOrderLoadedAndRemovedAtExitNewestFirst) {
  const size_t before = LoadedPluginCount();
  Run(test::Resources().Plugin(1, "A.dll", {1}).Add(FourCharCode("TEXT"), 1, {'x'}).Plugin(2, "B.dll", {2, 3}));
  EXPECT_EQ(services.log, (Log{"create mutex", "remove /prefs/B.dll", "create /prefs/B.dll 2", "load /prefs/B.dll",
                               "find QUILPluginMain in /prefs/B.dll", "main with the lookup", "remove /prefs/A.dll",
                               "create /prefs/A.dll 1", "load /prefs/A.dll", "find QUILPluginMain in /prefs/A.dll",
                               "main with the lookup", "release mutex"}));
  EXPECT_EQ(services.files["/prefs/B.dll"], (Bytes{2, 3}));
  EXPECT_EQ(services.files["/prefs/A.dll"], (Bytes{1}));
  EXPECT_EQ(LoadedPluginCount(), before + 2);

  services.log.clear();
  RunExitCleanup();
  EXPECT_EQ(services.log,
            (Log{"free /prefs/A.dll", "remove /prefs/A.dll", "free /prefs/B.dll", "remove /prefs/B.dll"}));
  EXPECT_TRUE(services.files.empty());
  EXPECT_EQ(LoadedPluginCount(), before);
}

TEST_F(PluginInstallation, AMutexHeldElsewhereIsWaitedForAtMostFourSecondsThenTheInstallationGoesOn) {
  services.mutexExists = true;
  Run(test::Resources().Plugin(1, "A.dll", {1}));
  ASSERT_GE(services.log.size(), 3u);
  EXPECT_EQ(services.log[1], "wait 4000");
  EXPECT_EQ(services.log[2], "remove /prefs/A.dll");
  EXPECT_EQ(services.log.back(), "release mutex");
}

TEST_F(PluginInstallation, TheFolderIsThePreferencesElseTheApplicationsElseTheRoot) {
  struct Case {
    const char* what;
    std::map<std::string, std::string> candidates;
    std::set<std::string> folders;
    const char* installed;  // null: nothing installed
  } cases[] = {
      {"preferences", {{"pref", "/prefs"}, {"app", "/app"}, {"root", "/"}}, {"/prefs", "/app", "/"}, "/prefs/A.dll"},
      {"no preferences folder", {{"app", "/app"}, {"root", "/"}}, {"/app", "/"}, "/app/A.dll"},
      {"preferences missing", {{"pref", "/prefs"}, {"app", "/app"}, {"root", "/"}}, {"/app", "/"}, "/app/A.dll"},
      {"only the root", {{"pref", "/prefs"}, {"app", "/app"}, {"root", "/"}}, {"/"}, "/A.dll"},
      {"none", {{"pref", "/prefs"}, {"app", "/app"}}, {}, nullptr},
  };
  for (const Case& c : cases) {
    FakeServices s;
    s.main = LoggingMain;
    g_log = &s.log;
    s.candidates = c.candidates;
    s.folders = c.folders;
    const Bytes section = test::Resources().Plugin(1, "A.dll", {1}).bytes();
    ResourceIndex index;
    LoadFailure failure;
    ASSERT_TRUE(index.Index(ByteView{section.data(), section.size()}, 0, &failure));
    RunPluginInstallationPass(s, index);
    if (c.installed) {
      EXPECT_EQ(s.files.count(c.installed), 1u) << c.what;
      EXPECT_EQ(s.files.size(), 1u) << c.what;
    } else {
      EXPECT_EQ(s.log, (Log{"create mutex", "release mutex"})) << c.what;
    }
    RunExitCleanup();
  }
  g_log = &services.log;
}

TEST_F(PluginInstallation, AFileInUseByAnotherInstanceIsKeptAndLoaded) {
  services.files["/prefs/A.dll"] = {9, 9};
  services.inUse = {"/prefs/A.dll"};
  Run(test::Resources().Plugin(1, "A.dll", {1}));
  EXPECT_EQ(services.log, (Log{"create mutex", "remove /prefs/A.dll", "load /prefs/A.dll",
                               "find QUILPluginMain in /prefs/A.dll", "main with the lookup", "release mutex"}));
  EXPECT_EQ(services.files["/prefs/A.dll"], (Bytes{9, 9})) << "kept as it is";
}

TEST_F(PluginInstallation, AFileThatCannotBeCreatedShowsTheMessageReleasesTheMutexAndEndsTheProcess) {
  services.cannotCreate = {"/prefs/B.dll"};
  Run(test::Resources().Plugin(1, "A.dll", {1}).Plugin(2, "B.dll", {2}));
  EXPECT_EQ(services.log,
            (Log{"create mutex", "remove /prefs/B.dll", "create /prefs/B.dll 1",
                 "message The application cannot continue because a needed file cannot be installed. You don't have "
                 "appropriate permission to install the file.",
                 "release mutex", "end process"}));
  EXPECT_EQ(services.files.count("/prefs/A.dll"), 0u) << "nothing after the failure";
}

TEST_F(PluginInstallation, ALibraryThatDoesNotLoadOrLacksItsEntryIsSkippedSilently) {
  services.notLoadable = {"/prefs/A.dll", "/prefs/C.dll"};
  services.withoutMain = {"/prefs/B.dll"};
  services.files["/prefs/C.dll"] = {7};
  services.inUse = {"/prefs/C.dll"};  // another instance's: never removed here
  const size_t before = LoadedPluginCount();
  Run(test::Resources()
          .Plugin(1, "D.dll", {4})
          .Plugin(2, "C.dll", {3})
          .Plugin(3, "B.dll", {2})
          .Plugin(4, "A.dll", {1}));
  EXPECT_EQ(services.log,
            (Log{"create mutex", "remove /prefs/A.dll", "create /prefs/A.dll 1", "load /prefs/A.dll",
                 "remove /prefs/A.dll", "remove /prefs/B.dll", "create /prefs/B.dll 1", "load /prefs/B.dll",
                 "find QUILPluginMain in /prefs/B.dll", "free /prefs/B.dll", "remove /prefs/B.dll",
                 "remove /prefs/C.dll", "load /prefs/C.dll", "remove /prefs/D.dll", "create /prefs/D.dll 1",
                 "load /prefs/D.dll", "find QUILPluginMain in /prefs/D.dll", "main with the lookup", "release mutex"}));
  EXPECT_EQ(LoadedPluginCount(), before + 1);
  EXPECT_EQ(services.files.count("/prefs/C.dll"), 1u);
}

TEST_F(PluginInstallation, DamagedRecordsAndNamesOutsideTheFolderAreSkipped) {
  test::Resources resources;
  resources.Add(FourCharCode("QLPl"), 1, {});             // no length byte
  resources.Add(FourCharCode("QLPl"), 2, {5, 'a', 'b'});  // the name runs past the data
  const char* unsafe[] = {"../evil.dll", "a/b.dll", "a\\b.dll", "C:evil.dll", "..",  " . ", "x\n.dll",
                          "x*.dll",      "x?.dll",  "x|y",      "x\"y",       "x<y", "x>y"};
  for (const char* name : unsafe) resources.Plugin(3, name, {1});
  resources.Plugin(4, "ok.dll", {});  // a library of no bytes is still a file
  Run(resources);
  EXPECT_EQ(services.log, (Log{"create mutex", "remove /prefs/ok.dll", "create /prefs/ok.dll 0", "load /prefs/ok.dll",
                               "find QUILPluginMain in /prefs/ok.dll", "main with the lookup", "release mutex"}));
}

// What a plug-in does in its main: describe its classes, a subclass before its superclass.
void RegisteringMain(QuillonLookupEntryPoint lookup) {
  auto registerClass = reinterpret_cast<QuillonRegisterPluginClass>(lookup("runtimeRegisterPluginClass"));
  QuillonPluginClass sub{};
  sub.version = QUILLON_PLUGIN_VERSION;
  sub.name = "PiInstalledSub";
  sub.superName = "PiInstalledBase";
  QuillonPluginClass base = sub;
  base.name = "PiInstalledBase";
  base.superName = "RectControl";
  g_log->push_back("registered " + std::to_string(registerClass(&sub)) + std::to_string(registerClass(&base)));
}

TEST_F(PluginInstallation, ClassesRegisteredByAPluginAreCompletedBeforeThePassEnds) {
  services.main = RegisteringMain;
  Run(test::Resources().Plugin(1, "Classes.dll", {1}));
  EXPECT_NE(std::find(services.log.begin(), services.log.end(), "registered 11"), services.log.end());
  RuntimeClass* sub = LookupClass("PiInstalledSub");
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->super, LookupClass("PiInstalledBase"));
  EXPECT_EQ(sub->super->super, LookupClass("RectControl"));
}

#if GTEST_HAS_DEATH_TEST && defined(__linux__)
void PrintObservedMessage(const char* text) { fprintf(stderr, "observed: %s\n", text); }

// The process's own services: a preferences folder where no file can be
// made (procfs refuses new files, even to root) shows the message through the
// message-box seam and ends the process with exit code 0.
TEST(PluginInstallationDeathTest, AFolderThatCannotBeWrittenShowsTheMessageAndEndsWithZero) {
  const Bytes section = test::Resources().Plugin(1, "Plugin.dll", {1, 2, 3}).bytes();
  ResourceIndex index;
  LoadFailure failure;
  ASSERT_TRUE(index.Index(ByteView{section.data(), section.size()}, 0, &failure));
  EXPECT_EXIT(
      {
        setenv("XDG_CONFIG_HOME", "/proc/self", 1);
        platform::SetMessageBoxObserver(PrintObservedMessage);
        RunPluginInstallationPass(ProcessPluginServices(), index);
        fprintf(stderr, "the pass returned\n");
      },
      testing::ExitedWithCode(0),
      "observed: The application cannot continue because a needed file cannot be installed\\. You don't have "
      "appropriate permission to install the file\\.");
}
#endif

}  // namespace
}  // namespace ql
