// The pane of a PushButton: a "BUTTON" that fires Action when clicked,
// pushed, or reached by its shortcut, Return (Default) or Escape (Cancel).
#pragma once

#include "ui/push_button.h"
#include "ui/standard_pane.h"

namespace ql::ui {

class ButtonPane : public StandardPane {
 public:
  static void Create(PushButtonObject* button);
  // The window text and the caption's shortcut.
  void SetCaption(RuntimeString* caption);
  // The default-button frame: on the window's default button, except while
  // another push button has the focus, which then shows it.
  void ShowDefaultFrame();

  intptr_t Command(uint32_t code, uint32_t modifiers) override;
  bool TakesFocus() const override { return true; }
  bool IsPushButton() const override { return true; }
  bool IsDefaultButton() const override;
  bool IsCancelButton() const override;
  // A click when the button is enabled; nothing otherwise.
  void Push() override;
  // Focuses and pushes the button.
  bool ShortcutAction() override;
  void GotFocus() override;
  void LostFocus() override;

 private:
  ~ButtonPane() override = default;
  PushButtonObject* Button() const;
  void RegisterShortcut(RuntimeString* caption);
  // Every push button of the window shows its frame anew.
  void UpdateFramesOfWindow();
};

}  // namespace ql::ui
