#include "ui/pane.h"

#include "core/assertion.h"
#include "ui/control_object.h"
#include "ui/events.h"
#include "ui/fonts.h"
#include "ui/keys.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

constexpr uint32_t kChildStyle = 0x40000000u | 0x10000000u;  // WS_CHILD | WS_VISIBLE
constexpr int32_t kComboDropDownHeight = 200;

bool IsDrawnPaneClass(const char* className) {
  return NamesEqual(className, "QL_Pane") || NamesEqual(className, "QL_CanvasPane");
}

// The height a native window gets: a combo box also holds its drop-down list.
int32_t NativeHeight(const char* className, const Rect16& bounds) {
  const int32_t height = bounds.bottom - bounds.top;
  return NamesEqual(className, "COMBOBOX") ? height + kComboDropDownHeight : height;
}

native::Box BoxOf(const Rect16& r) { return native::Box{r.left, r.top, r.right, r.bottom}; }

// The nearest pane from `pane` upwards that has a native window.
const Pane* NativeAncestor(const Pane* pane) {
  while (pane && !pane->NativeHandle()) pane = pane->Parent();
  return pane;
}

GraphicsMaker g_graphicsMaker = nullptr;

}  // namespace

void SetGraphicsMaker(GraphicsMaker maker) { g_graphicsMaker = maker; }

RuntimeObject* MakeGraphics(void* deviceContext, const Rect16& clip) {
  return g_graphicsMaker ? g_graphicsMaker(deviceContext, clip) : nullptr;
}

// --- Event sink ---

EventSink::EventSink(RuntimeObject* control, const ControlEventSlots* slots) : control_(control), slots_(slots) {
  static const ControlEventSlots kNone{};
  if (!slots_) slots_ = &kNone;
}

Rect16 EventSink::Bounds() const { return control_ ? AsControl(control_)->bounds : Rect16{}; }

// --- Pane ---

Pane::Pane() = default;

Pane::~Pane() = default;

bool Pane::Contains(const Pane* other) const {
  for (const Pane* p = other ? other->parent_ : nullptr; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

void Pane::AddChild(Pane* child) {
  child->parent_ = this;
  children_.Append(child);
}

void Pane::RemoveChild(Pane* child) {
  for (size_t i = 0; i < children_.Count(); ++i)
    if (children_[i] == child) {
      children_.RemoveAt(i);
      break;
    }
  child->parent_ = nullptr;
}

void Pane::MoveUnder(Pane* newParent) {
  if (!newParent || newParent == parent_ || newParent == this || Contains(newParent)) return;
  if (parent_) parent_->RemoveChild(this);
  newParent->AddChild(this);
  if (!native_) return;
  const Pane* host = NativeAncestor(newParent);
  native::Reparent(native_, host ? host->native_ : nullptr);
  SetBounds(bounds_);
}

bool Pane::CreatePaneWindow(RuntimeViewWindow* root, Pane* parent, const Rect16& bounds, const PaneWindowSpec& plan) {
  root_ = root;
  bounds_ = bounds;
  nativeClass_ = plan.className ? plan.className : "";
  visible_ = pageShown_ = enabled_ = true;
  lockCount_ = 0;
  bool created = true;
  if (nativeClass_[0] && root) {
    standardControl_ = !IsDrawnPaneClass(nativeClass_);
    const Pane* host = NativeAncestor(parent ? parent : root->NativeParentFor(bounds, plan.style));
    native::ChildSpec child;
    child.className = nativeClass_;
    child.text = plan.text;
    child.style = plan.style | kChildStyle;
    child.exStyle = plan.exStyle;
    child.parent = host ? host->native_ : nullptr;
    child.position = native::MapPoint(root->NativeHandle(), child.parent, {bounds.left, bounds.top});
    child.width = bounds.right - bounds.left;
    child.height = NativeHeight(nativeClass_, bounds);
    child.pane = this;
    native_ = native::CreateChild(child);
    created = native_ != nullptr;
  }
  if (root) {
    Pane* logical = parent ? parent : root->LogicalParentFor(bounds, plan.style);
    root->AddToAllPanes(this);
    logical->AddChild(this);
  }
  return created;
}

void Pane::SetBounds(const Rect16& bounds) {
  bounds_ = bounds;
  if (!native_ || !root_) return;
  // The native parent need not be the logical parent's native window: a
  // pane made inside a container on a tab panel lives in the tab control.
  native::Handle parentHandle = native::ParentOf(native_);
  const native::Point at = native::MapPoint(root_->NativeHandle(), parentHandle, {bounds.left, bounds.top});
  native::Move(native_, at, bounds.right - bounds.left, NativeHeight(nativeClass_, bounds));
}

bool Pane::ContainsPoint(int32_t x, int32_t y) const {
  return x >= bounds_.left && x < bounds_.right && y >= bounds_.top && y < bounds_.bottom;
}

// --- State ---

void Pane::ApplyNativeShowState() {
  if (root_ && root_ != this) {
    const native::Box box = BoxOf(bounds_);
    native::Invalidate(root_->NativeHandle(), &box, true);
    if (!Showing() && root_->FocusPane() == this) root_->SetFocusPane(nullptr);
  }
  if (native_ && root_ != this) native::Show(native_, Showing() ? native::ShowCommand::Show : native::ShowCommand::Hide);
}

void Pane::SetVisible(bool visible) {
  if (visible == visible_) return;
  if (tabPage_ != 0 && !pageShown_) {
    visible_ = visible;  // stays hidden until its page is shown
    return;
  }
  if (tabPage_ == 0) pageShown_ = visible;
  visible_ = visible;
  for (size_t i = 0; i < children_.Count(); ++i) children_[i]->SetVisible(visible);
  ApplyNativeShowState();
}

void Pane::PassPageShown(bool shown) {
  for (size_t i = 0; i < children_.Count(); ++i) children_[i]->SetPageShown(shown);
}

void Pane::SetPageShown(bool shown) {
  PassPageShown(shown);
  if (shown == pageShown_) return;
  pageShown_ = shown;
  if (visible_) ApplyNativeShowState();
}

void Pane::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  if (enabled && parent_ && !parent_->enabled_) return;
  enabled_ = enabled;
  for (size_t i = 0; i < children_.Count(); ++i) children_[i]->SetEnabled(enabled);
  if (root_ && root_ != this) {
    const native::Box box = BoxOf(bounds_);
    native::Invalidate(root_->NativeHandle(), &box, true);
    if (!enabled && root_->FocusPane() == this) root_->SetFocusPane(nullptr);
  }
  if (native_ && standardControl_) native::Enable(native_, enabled);
}

void Pane::SetTabPage(int32_t page) { tabPage_ = page; }

// --- Lifetime ---

void Pane::Unlock() {
  if (--lockCount_ < 0) Destroy();
}

void Pane::Close() {
  if (closing_) return;
  closing_ = true;
  if (root_ && root_ != this && root_->FocusPane() == this) root_->SetFocusPane(nullptr);
  Unlock();
}

void Pane::DestroyChildren() {
  while (children_.Count()) children_[children_.Count() - 1]->DestroyWithParent();
}

void Pane::DestroyWithParent() {
  Teardown();
  if (!closing_) {
    closing_ = true;
    --lockCount_;  // the owner's share
  }
  if (lockCount_ < 0) delete this;
}

void Pane::Destroy() {
  Teardown();
  delete this;
}

void Pane::Teardown() {
  if (tornDown_) return;
  tornDown_ = true;
  DestroyChildren();
  // Forgetting the pane gives up the focus and the mouse it held.
  if (root_) root_->ForgetPane(this);
  RemoveShortcutsOf(this);
  if (native_) native::Destroy(native_);
  native_ = nullptr;
  if (parent_) parent_->RemoveChild(this);
  ReleaseControlFont(font_);
  font_ = nullptr;
  if (sink_ && sink_->Control() && AsControl(sink_->Control())->pane == this) AsControl(sink_->Control())->pane = nullptr;
  delete sink_;
  sink_ = nullptr;
  root_ = nullptr;
}

// --- Sink, help, font ---

void Pane::AttachSink(EventSink* sink) {
  if (!QL_CHECK(sink_ == nullptr, "pane", 432, "mEventSink == NULL")) {
    delete sink;
    return;
  }
  sink_ = sink;
}

RuntimeObject* Pane::Control() const { return sink_ ? sink_->Control() : nullptr; }

void Pane::SetToolTips(RuntimeString* enabled, RuntimeString* disabled) {
  toolTip_ = String::Retain(enabled);
  disabledToolTip_ = String::Retain(disabled);
}

void Pane::SetFont(void* font) {
  void* previous = font_;
  font_ = font;
  if (native_ && standardControl_) native::SetFontOf(native_, font);
  ReleaseControlFont(previous);
}

// --- Default behaviour of the virtual operations ---

void Pane::Paint(const PaintContext&) {}

bool Pane::FireMouseEvent(int32_t slot, bool booleanResult, const MouseEvent& event) {
  RuntimeObject* control = Control();
  if (!control || slot < 0) return false;
  const Rect16 at = sink_->Bounds();
  const int32_t x = event.x - at.left;
  const int32_t y = event.y - at.top;
  PaneLock lock(this);
  if (booleanResult) return FireBooleanEvent(control, slot, x, y);
  FireEvent(control, slot, x, y);
  return false;
}

bool Pane::MouseDown(const MouseEvent& event) {
  return sink_ && FireMouseEvent(sink_->Slots().mouseDown, true, event);
}

void Pane::MouseDrag(const MouseEvent& event) {
  if (sink_) FireMouseEvent(sink_->Slots().mouseDrag, false, event);
}

void Pane::MouseUp(const MouseEvent& event) {
  if (sink_) FireMouseEvent(sink_->Slots().mouseUp, false, event);
}

void Pane::MouseMove(const MouseEvent& event) { FireMouseEvent(Slot(ControlEvent::MouseMove), false, event); }

void Pane::MouseEnter() {
  PaneLock lock(this);
  FireEvent(Control(), ControlEvent::MouseEnter);
}

void Pane::MouseExit() {
  PaneLock lock(this);
  FireEvent(Control(), ControlEvent::MouseExit);
}

bool Pane::KeyDown(const KeyEvent& event) {
  RuntimeObject* control = Control();
  if (!control || sink_->Slots().keyDown < 0) return false;
  String key = KeyString(event);
  PaneLock lock(this);
  return FireBooleanEvent(control, sink_->Slots().keyDown, key.get());
}

void Pane::GotFocus() {
  if (!sink_ || sink_->Slots().gotFocus < 0) return;
  PaneLock lock(this);
  FireEvent(Control(), sink_->Slots().gotFocus);
}

void Pane::LostFocus() {
  if (!sink_ || sink_->Slots().lostFocus < 0) return;
  PaneLock lock(this);
  FireEvent(Control(), sink_->Slots().lostFocus);
}

bool Pane::IsTextField() const { return NamesEqual(nativeClass_, "RICHEDIT") || NamesEqual(nativeClass_, "RICHEDIT20W"); }

intptr_t Pane::Command(uint32_t, uint32_t) { return 0; }
intptr_t Pane::Notify(const void*) { return 0; }
bool Pane::DrawItem(const void*) { return false; }
void Pane::Scroll(bool, uint32_t, int32_t) {}
bool Pane::NativeMessage(uint32_t, uintptr_t, intptr_t, intptr_t*) { return false; }
bool Pane::MenuCommand(RuntimeString*) { return false; }
void Pane::EnableMenuItems(MenuItemEnabler&) {}
bool Pane::ClaimsChild(const Rect16&, uint32_t) const { return false; }

}  // namespace ql::ui
