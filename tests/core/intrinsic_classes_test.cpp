#include "core/intrinsic_classes.h"

#include <gtest/gtest.h>

#include <stddef.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/class_lookup.h"
#include "core/exception.h"
#include "core/string.h"
#include "core/object.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

// Every registered intrinsic class and interface name.
const char* const kRegisteredNames[] = {
    "_BitwiseClass", "_Encodings", "_Keyboard", "_MenuBarInstaller", "_MenuHandler", "_PaneChild",
    "_QuicktimeInstallStatus", "_StyledTextRange", "_SystemClass", "actionBinder", "actionNotificationReceiver",
    "actionSource", "AppleEvent", "AppleEventDescList", "AppleEventObjectSpecifier", "AppleEventRecord",
    "AppleEventTarget", "AppleEventTemplate", "AppleMenuItem", "Application", "ArcShape", "BinaryStream",
    "bindingInterface", "bindingPartInterface", "BooleanProvider", "Canvas", "CheckBox", "Clipboard", "Collection",
    "CollectionElement", "ContextualMenu", "Control", "CriticalSection", "CurveShape", "DataAvailableProvider",
    "Database", "DatabaseCursor", "DatabaseCursorField", "DatabaseField", "DatabaseQuery", "DatabaseRecord",
    "DataControl", "Datagram", "dataNotificationReceiver", "dataNotifier", "Date", "Dictionary", "DockItem",
    "DragItem", "EditField", "enablingBinder", "EndException", "EndOfLine", "FigureShape", "FolderItem",
    "FolderItemDialog", "Graphics", "Group2D", "GroupBox", "IllegalCastException", "InvalidParentException",
    "KeyChainException", "KeyNotFoundException", "Line", "listBinder", "Listbox", "ListColumn",
    "listDataNotificationReceiver", "listDataNotifier", "listDataProvider", "ListInterface",
    "listSelectionNotificationReceiver", "listSelectionNotifier", "MDIWindow", "MemoryBlock", "MenuBar", "MenuItem",
    "MouseCursor", "Movie", "MoviePlayer", "NilObjectException", "NoOpenTransportException", "NotePlayer", "Object",
    "Object2D", "ObjectCursor", "OLEContainer", "OLEException", "OLEObject", "OpenDialog", "OutOfBoundsException",
    "OutOfMemoryException", "Oval", "OvalShape", "PagePanel", "Picture", "PixmapShape", "PopupMenu",
    "PrefsMenuItem", "PrinterSetup", "ProgressBar", "PushButton", "QuitMenuItem", "RadioButton", "Random",
    "QUILDatabase", "RecordSet", "Rectangle", "RectControl", "RectShape", "RegistryAccessErrorException",
    "RegistryItem", "ResourceFork", "RGBSurface", "RoundRectangle", "RoundRectShape", "Runtime", "RuntimeException",
    "SaveAsDialog", "Screen", "ScrollableCursor", "ScrollBar", "SelectFolderDialog", "Semaphore", "Serial",
    "SerialPort", "ServerSocket", "ServiceNotAvailableException", "Slider", "Socket", "SocketCore", "Sound",
    "stackOverflowException", "StaticText", "stringBinder", "StringInterface", "StringProvider", "StringShape",
    "StyledText", "StyledTextPrinter", "TabPanel", "TCPSocket", "TextConverter", "TextEncoding", "TextInputStream",
    "TextOutputStream", "Thread", "ThreadAlreadyRunningException", "Timer", "tupleInterface",
    "typeMismatchException", "UDPSocket", "UnsupportedFormatException", "Variant", "VirtualVolume", "Window",
};

const char* const kInterfaceNames[] = {
    "_PaneChild", "_MenuBarInstaller", "actionSource", "actionNotificationReceiver", "BooleanProvider",
    "StringProvider", "StringInterface", "DataAvailableProvider", "dataNotifier", "dataNotificationReceiver",
    "bindingInterface", "bindingPartInterface", "ListInterface", "listDataProvider", "listDataNotifier",
    "listDataNotificationReceiver", "listSelectionNotifier", "listSelectionNotificationReceiver", "tupleInterface",
};

const char* const kExceptionSubclasses[] = {
    "NilObjectException", "IllegalCastException", "OutOfBoundsException", "typeMismatchException",
    "stackOverflowException", "InvalidParentException", "OutOfMemoryException", "KeyNotFoundException",
    "EndException", "ThreadAlreadyRunningException", "UnsupportedFormatException", "KeyChainException",
    "OLEException", "ServiceNotAvailableException", "NoOpenTransportException", "RegistryAccessErrorException",
};

std::string Upper(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::string NameOf(const RuntimeClass* cls) { return cls && cls->name ? cls->name->text + 1 : ""; }

TEST(IntrinsicClasses, EveryRegisteredNameIsFoundInAnyCaseAsTheSameRecord) {
  EXPECT_EQ(std::size(kRegisteredNames), 156u);
  for (const char* name : kRegisteredNames) {
    RuntimeClass* cls = LookupClass(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_EQ(NameOf(cls), name) << "the class carries the name exactly as written";
    EXPECT_EQ(LookupClass(Upper(name)), cls) << name;
    String runtimeName = NewStringFromCText(name);
    EXPECT_EQ(RuntimeLookupClass(runtimeName.get()), cls) << name;
  }
}

TEST(IntrinsicClasses, AuxiliaryAndUnknownNamesAreNotFound) {
  for (const char* name : {"Sys$CheckBoxAction", "Sys$RadioButtonAction", "Sys$ListboxAction", "sys$popupRowTag",
                           "listSelectionProvider", "listColumnValueProvider", "MoviePlayerAction",
                           "DataControlAction", "Separator", "NoSuchClass", ""})
    EXPECT_EQ(LookupClass(name), nullptr) << name;
  EXPECT_EQ(RuntimeLookupClass(nullptr), nullptr);
}

TEST(IntrinsicClasses, InterfacesAreMarkedAndCannotBeInstantiated) {
  for (const char* name : kInterfaceNames) {
    RuntimeClass* cls = LookupClass(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_NE(cls->isAnInterface, 0) << name;
  }
  EXPECT_EQ(LookupClass("Window")->isAnInterface, 0);
}

TEST(IntrinsicClasses, PaneChildAndMenuBarInstallerDeclareTheirMethodsInOrder) {
  struct Case {
    ObjectDefinition* definition;
    std::vector<std::string> methods;
  };
  const Case cases[] = {
      {&intrinsic::PaneChild, {"_Layout", "_SetWindow", "_Index"}},
      {&intrinsic::MenuBarInstaller, {"_Install"}},
  };
  for (const Case& c : cases) {
    ClassOf(*c.definition);
    ASSERT_EQ(c.definition->methods.count, c.methods.size());
    for (size_t i = 0; i < c.methods.size(); ++i)
      EXPECT_STREQ(StringText(c.definition->methods.items[i].name), c.methods[i].c_str());
  }
  EXPECT_EQ(intrinsic::PaneChild.methods.items[1].entry.parameters[0].type, TypeOf(intrinsic::Window));
  EXPECT_EQ(intrinsic::PaneChild.methods.items[2].entry.result, types::Integer);
}

TEST(IntrinsicClasses, RuntimeExceptionLayoutAndProperties) {
  RuntimeClass* root = LookupClass("RuntimeException");
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->super, nullptr);
  EXPECT_EQ(root->instanceSize, sizeof(RuntimeExceptionObject));
  ASSERT_EQ(root->propertyCount, 2);
  EXPECT_STREQ(StringText(root->properties[0].signature), "Message%s");
  EXPECT_EQ(root->properties[0].param, offsetof(RuntimeExceptionObject, message));
  EXPECT_EQ(root->properties[0].getter, reinterpret_cast<void*>(stringGetter));
  EXPECT_EQ(root->properties[0].setter, reinterpret_cast<void*>(stringSetter));
  EXPECT_STREQ(StringText(root->properties[1].signature), "ErrorNumber%i");
  EXPECT_EQ(root->properties[1].param, offsetof(RuntimeExceptionObject, errorNumber));
  EXPECT_EQ(root->properties[1].getter, reinterpret_cast<void*>(intGetter));
  EXPECT_EQ(root->properties[1].setter, reinterpret_cast<void*>(intSetter));
  for (const char* name : kExceptionSubclasses) {
    RuntimeClass* cls = LookupClass(name);
    ASSERT_NE(cls, nullptr) << name;
    EXPECT_EQ(cls->super, root) << name;
    EXPECT_EQ(cls->instanceSize, root->instanceSize) << name;
    EXPECT_EQ(cls->propertyCount, 2) << name;
    EXPECT_EQ(cls->eventCount + cls->staticMethodCount + cls->methodCount + cls->interfaceCount, 0) << name;
  }
}

TEST(IntrinsicClasses, TheRuntimeRaisedExceptionClassesExistFromRegistration) {
  RegisterIntrinsicClasses();
  EXPECT_EQ(RaisedExceptionClass(RaisedException::NilObject), LookupClass("NilObjectException"));
  EXPECT_EQ(RaisedExceptionClass(RaisedException::IllegalCast), LookupClass("IllegalCastException"));
  EXPECT_EQ(RaisedExceptionClass(RaisedException::OutOfBounds), LookupClass("OutOfBoundsException"));
}

TEST(IntrinsicClasses, AnExceptionReleasesItsMessageWhenDestroyed) {
  RuntimeObject* e = RuntimeNewObject(LookupClass("KeyNotFoundException"));
  String message = NewStringFromCText("no such key");
  stringSetter(e, offsetof(RuntimeExceptionObject, message), message.get());
  EXPECT_EQ(message.get()->refCount, 2);
  RuntimeUnlockObject(e);
  EXPECT_EQ(message.get()->refCount, 1);
}

TEST(IntrinsicClasses, KnownSuperclassesAndTheBareObject) {
  struct Case {
    const char* name;
    const char* super;
  };
  const Case cases[] = {
      {"Object", ""},           {"RectControl", "Control"},   {"EditField", "RectControl"},
      {"PopupMenu", "RectControl"}, {"TabPanel", "PagePanel"}, {"PagePanel", "RectControl"},
      {"QuitMenuItem", "MenuItem"}, {"MenuBar", "MenuItem"},   {"Window", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NameOf(LookupClass(c.name)->super), c.super) << c.name;
  RuntimeClass* object = LookupClass("Object");
  EXPECT_EQ(object->instanceSize, sizeof(RuntimeObject));
  EXPECT_EQ(object->propertyCount + object->eventCount + object->staticMethodCount, 0);
}

}  // namespace
}  // namespace ql
