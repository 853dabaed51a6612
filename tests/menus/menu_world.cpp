#include "menu_world.h"

#include <stddef.h>

#include "core/compiled_code.h"
#include "quillon/entrypoints/application.h"
#include "startup/application.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/native.h"

#if defined(_WIN32)
#include <windows.h>

#include "ui/win32/window_classes.h"
#else
#include "ui/posix/fake_windows.h"
#endif

namespace ql::test {

std::function<void(RuntimeObject* item)> g_onEnableMenu;
std::function<void()> g_onWindowEnableMenuItems;
std::function<void()> g_onApplicationEnableMenuItems;

std::vector<std::string>& MenuLog() {
  static std::vector<std::string> log;
  return log;
}

namespace {

// --- Menu handlers ---

struct HandlerSpec {
  std::string who;
  std::string item;
  bool result;
};
std::vector<HandlerSpec>& HandlerSpecs() {
  static std::vector<HandlerSpec> specs;
  return specs;
}

struct HandlerObject {
  RuntimeObject header;
  int32_t plan;  // index into HandlerSpecs
};

bool HandlerAction(RuntimeObject* self, int32_t index) {
  const HandlerSpec& plan = HandlerSpecs()[static_cast<size_t>(reinterpret_cast<HandlerObject*>(self)->plan)];
  MenuLog().push_back(plan.who + " " + plan.item + " " + std::to_string(index));
  return plan.result;
}

// A class the way the image derives one: the superclass's counts, our own
// instance size and handlers at the superclass's event slots.
RuntimeClass* Subclass(ObjectDefinition& definition, uint32_t instanceSize) {
  RuntimeClass* super = ClassOf(definition);
  RuntimeClass* cls = NewTestClass(super, super->methodCount, super->interfaceCount, super->eventCount,
                                   super->staticMethodCount, super->propertyCount);
  cls->instanceSize = instanceSize > super->instanceSize ? instanceSize : super->instanceSize;
  return cls;
}

RuntimeClass* HandlerClass() {
  static RuntimeClass* cls = [] {
    RuntimeClass* c = Subclass(intrinsic::MenuHandler, sizeof(HandlerObject));
    c->events[0].handler = EntryAddress(HandlerAction);
    return c;
  }();
  return cls;
}

// --- Items with Action and EnableMenu ---

std::string TextOf(RuntimeObject* item) { return Taken(RuntimeMenuItemTextGetter(item, 0)); }

template <bool kResult>
bool ItemAction(RuntimeObject* self) {
  MenuLog().push_back("item Action " + TextOf(self));
  return kResult;
}

void ItemEnableMenu(RuntimeObject* self) {
  MenuLog().push_back("item EnableMenu " + TextOf(self));
  if (g_onEnableMenu) g_onEnableMenu(self);
}

template <bool kResult>
RuntimeClass* ActionItemClass() {
  static RuntimeClass* cls = [] {
    RuntimeClass* c = Subclass(intrinsic::MenuItem, 0);
    c->events[0].handler = EntryAddress(ItemAction<kResult>);
    c->events[1].handler = EntryAddress(ItemEnableMenu);
    return c;
  }();
  return cls;
}

// --- The window, the application, the control ---

void WindowEnableMenuItems(RuntimeObject*) {
  MenuLog().push_back("window EnableMenuItems");
  if (g_onWindowEnableMenuItems) g_onWindowEnableMenuItems();
}

void ApplicationEnableMenuItems(RuntimeObject*) {
  MenuLog().push_back("application EnableMenuItems");
  if (g_onApplicationEnableMenuItems) g_onApplicationEnableMenuItems();
}

// Window-shaped objects of a root class: the window layer reads only the
// fields and the event slots.
RuntimeClass* WindowClass() {
  static RuntimeClass* cls = [] {
    RuntimeClass* c = NewTestClass(nullptr, 0, 0, ui::kWindowEventCount, 0, 0);
    c->instanceSize = sizeof(ui::WindowObject);
    c->events[ui::Slot(ui::WindowEvent::EnableMenuItems)].handler = EntryAddress(WindowEnableMenuItems);
    return c;
  }();
  return cls;
}

RuntimeClass* ApplicationClass() {
  static RuntimeClass* cls = [] {
    RuntimeClass* c = Subclass(intrinsic::Application, 0);
    c->events[static_cast<int>(ApplicationEvent::EnableMenuItems)].handler = EntryAddress(ApplicationEnableMenuItems);
    return c;
  }();
  return cls;
}

RuntimeClass* ControlClass() {
  static RuntimeClass* cls = Subclass(intrinsic::Control, sizeof(ui::ControlObject));
  return cls;
}

void MakeForeground(ui::RuntimeViewWindow* view) {
#if defined(_WIN32)
  // Hidden: a shown window costs wine a wait for a window manager when it goes.
  SetForegroundWindow(static_cast<HWND>(view->NativeHandle()));
#else
  ui::fake::SetForeground(view->NativeHandle());
#endif
}

void ReleaseHandlerTable(StringMap<RuntimeObject>*& table) {
  if (!table) return;
  table->ForEach([](RuntimeString*, RuntimeObject* h) { RuntimeUnlockObject(h); });
  delete table;
  table = nullptr;
}

}  // namespace

bool CommandPane::MenuCommand(RuntimeString* itemName) {
  const std::string name = Std(itemName);
  MenuLog().push_back("control command " + name);
  return serves.count(name) > 0;
}

void CommandPane::EnableMenuItems(ui::MenuItemEnabler& enabler) {
  MenuLog().push_back("control EnableMenuItems");
  for (const std::string& name : enables) enabler.EnableItem(name.c_str());
}

ObjectRef NewMenuHandler(const std::string& who, const std::string& item, bool result) {
  HandlerSpecs().push_back(HandlerSpec{who, item, result});
  ObjectRef handler = ObjectRef::Adopt(RuntimeNewObject(HandlerClass()));
  reinterpret_cast<HandlerObject*>(handler.get())->plan = static_cast<int32_t>(HandlerSpecs().size() - 1);
  return handler;
}

ObjectRef NewActionItem(const char* text, const char* name, bool result) {
  ObjectRef item = ObjectRef::Adopt(RuntimeNewObject(result ? ActionItemClass<true>() : ActionItemClass<false>()));
  RuntimeMenuItemTextSetter(item.get(), 0, Str(text).get());
  RuntimeMenuItemNameSetter(item.get(), 0, Str(name).get());
  return item;
}

MenuWorld::MenuWorld(int32_t frame) {
#if defined(_WIN32)
  ui::win32::RegisterWindowClasses();
#endif
  app_ = ObjectRef::Adopt(RuntimeNewObject(ApplicationClass()));
  RuntimeRegisterAppObject(app_.get());

  window_ = ObjectRef::Adopt(RuntimeNewObject(WindowClass()));
  ui::WindowObject* w = ui::AsWindow(window_.get());
  w->frame = frame;
  w->bounds = ui::Rect16{100, 100, 300, 400};
  view_ = ui::RuntimeViewWindow::Open(window_.get());
  MakeForeground(view_);
  view_->SetActive(true);

  control_ = ObjectRef::Adopt(RuntimeNewObject(ControlClass()));
  ui::ControlObject* c = ui::AsControl(control_.get());
  c->window = window_.get();
  c->bounds = ui::Rect16{10, 10, 30, 110};
  pane_ = new CommandPane;
  pane_->CreatePaneWindow(view_, nullptr, c->bounds, ui::PaneWindowSpec{"QL_Pane"});
  ui::InstallControlPane(control_.get(), pane_, nullptr);
  view_->SetFocusPane(pane_);
  MenuLog().clear();  // the activation's update of the menus
}

MenuWorld::~MenuWorld() {
  ReleaseHandlerTable(ui::AsControl(control_.get())->menuHandlers);
  ui::DestroyControlPane(control_.get());
  ReleaseHandlerTable(ui::AsWindow(window_.get())->menuHandlers);
  RuntimeUnlockObject(std::exchange(ui::AsWindow(window_.get())->menuBar, nullptr));
  if (view_) view_->Close();
  ResetApplicationState();
  g_onEnableMenu = nullptr;
  g_onWindowEnableMenuItems = nullptr;
  g_onApplicationEnableMenuItems = nullptr;
}

void MenuWorld::AddWindowHandler(const char* item, bool result) {
  StringMap<RuntimeObject>*& table = ui::AsWindow(window_.get())->menuHandlers;
  if (!table) table = new StringMap<RuntimeObject>;
  RuntimeUnlockObject(table->Set(Str(item).get(), NewMenuHandler("window", item, result).release()));
}

void MenuWorld::AddApplicationHandler(const char* item, bool result) {
  ApplicationAddMenuHandler(app_.get(), Str(item).get(), NewMenuHandler("application", item, result).get());
}

void MenuWorld::AddControlHandler(const char* item, bool result) {
  StringMap<RuntimeObject>*& table = ui::AsControl(control_.get())->menuHandlers;
  if (!table) table = new StringMap<RuntimeObject>;
  RuntimeUnlockObject(table->Set(Str(item).get(), NewMenuHandler("control", item, result).release()));
}

void MenuWorld::SetWindowMenuBar(const ObjectRef& bar) {
  RuntimeObject*& field = ui::AsWindow(window_.get())->menuBar;
  RuntimeLockObject(bar.get());
  RuntimeUnlockObject(std::exchange(field, bar.get()));
}

void MenuWorld::SetApplicationMenuBar(const ObjectRef& bar) { AppMenuBarSetter(app_.get(), 0, bar.get()); }

void MenuWorld::Unfocus() { view_->SetFocusPane(nullptr); }

void MenuWorld::NothingInFront() {
  view_->SetActive(false);  // what the window's deactivation does
#if defined(_WIN32)
  SetForegroundWindow(GetDesktopWindow());
#else
  ui::fake::SetForeground(nullptr);
#endif
}

}  // namespace ql::test
