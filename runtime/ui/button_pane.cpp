#include "ui/button_pane.h"

#include "ui/caption_shortcut.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/native_controls.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

const ControlEventSlots kButtonSlots{
    .mouseDown = static_cast<int32_t>(PushButtonEvent::MouseDown),
    .mouseUp = static_cast<int32_t>(PushButtonEvent::MouseUp),
    .gotFocus = static_cast<int32_t>(PushButtonEvent::GotFocus),
    .lostFocus = static_cast<int32_t>(PushButtonEvent::LostFocus),
};

}  // namespace

void ButtonPane::Create(PushButtonObject* button) {
  RuntimeObject* control = &button->control.header;
  auto* pane = new ButtonPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, button->control.bounds,
                         PaneWindowSpec{.className = "BUTTON", .text = button->caption, .style = 0});
  pane->UseFont(ChoiceOf(button->font));
  InstallControlPane(control, pane, &kButtonSlots);
  pane->RegisterShortcut(button->caption);
  pane->ShowDefaultFrame();
}

PushButtonObject* ButtonPane::Button() const { return Control() ? AsPushButton(Control()) : nullptr; }

void ButtonPane::SetCaption(RuntimeString* caption) {
  if (NativeHandle()) native::SetText(NativeHandle(), caption);
  RegisterShortcut(caption);
}

void ButtonPane::RegisterShortcut(RuntimeString* caption) {
  String name = CaptionShortcutName(caption);
  if (name.empty())
    RemoveShortcut(this, ShortcutKind::PushButton);
  else
    EnterControlShortcut(this, ShortcutKind::PushButton, name.get());
}

bool ButtonPane::IsDefaultButton() const {
  PushButtonObject* b = Button();
  return b && b->isDefault;
}

bool ButtonPane::IsCancelButton() const {
  PushButtonObject* b = Button();
  return b && b->isCancel;
}

void ButtonPane::ShowDefaultFrame() {
  if (!NativeHandle()) return;
  Pane* focus = Root() ? Root()->FocusPane() : nullptr;
  const bool anotherButtonFocused = focus && focus != this && focus->IsPushButton();
  const bool frame = focus == this || (IsDefaultButton() && !anotherButtonFocused);
  if (native::HasDefaultButtonFrame(NativeHandle()) != frame) native::SetDefaultButtonFrame(NativeHandle(), frame);
}

void ButtonPane::UpdateFramesOfWindow() {
  if (!Root()) return;
  for (size_t i = 0; i < Root()->PaneCount(); ++i) {
    Pane* p = Root()->PaneAt(i);
    if (p->IsPushButton()) static_cast<ButtonPane*>(p)->ShowDefaultFrame();
  }
}

intptr_t ButtonPane::Command(uint32_t code, uint32_t) {
  if (code != native::kButtonClicked) return 0;
  if (PushButtonObject* b = Button()) {
    PaneLock lock(this);
    DeliverButtonAction(b);
  }
  return 0;
}

void ButtonPane::Push() {
  if (!Enabled()) return;
  if (PushButtonObject* b = Button()) {
    PaneLock lock(this);
    DeliverButtonAction(b);
  }
}

bool ButtonPane::ShortcutAction() {
  if (!Enabled() || !Showing()) return false;
  if (Root()) Root()->SetFocusPane(this);
  Push();
  return true;
}

void ButtonPane::GotFocus() {
  UpdateFramesOfWindow();
  StandardPane::GotFocus();
}

void ButtonPane::LostFocus() {
  UpdateFramesOfWindow();
  StandardPane::LostFocus();
}

}  // namespace ql::ui
