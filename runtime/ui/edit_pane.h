// The pane of an EditField: a rich-edit control. While the field is open
// the control holds the text and the selection; the pane masks a password
// field's text itself, keeping the real text beside it, and turns the
// control's notifications into TextChange, SelChange and the focus events
// without nesting them.
#pragma once

#include <stdint.h>

#include <string>

#include "ui/edit_field.h"
#include "ui/native_controls.h"
#include "ui/standard_pane.h"

namespace ql::ui {

enum SelectionEffectBit : uint32_t {
  kSelectionBold,
  kSelectionItalic,
  kSelectionUnderline,
  kSelectionOutline,
  kSelectionShadow,
  kSelectionCondense,  // character spacing below 0
  kSelectionExtend,    // character spacing above 0
};

struct EditSelection {
  int32_t start = 0;
  int32_t length = 0;
};

class EditPane : public StandardPane {
 public:
  static void Create(EditFieldObject* field);

  // --- Text ---
  // What the field holds: the real text of a password field, else the
  // control's (a multi-line field's paragraphs end in a carriage return).
  String Text();
  // Shows a text the program assigned (masked in password mode), then turns
  // the control's change notifications on.
  void ShowText(RuntimeString* text);
  void SetPassword(bool on);

  // --- Settings the open field follows ---
  void SetReadOnly(bool readOnly);
  void SetTextColor(int32_t rgb);
  void SetBackColor(int32_t rgb);
  void SetLimit(int32_t limitText);
  void SetAlignment(int32_t alignment);

  // --- Selection ---
  EditSelection Selection();
  void Select(int32_t start, int32_t length);
  String SelectedText();
  void ReplaceSelection(RuntimeString* text);
  bool SelectionHas(SelectionEffectBit bit);
  void SetSelectionEffect(SelectionEffectBit bit, bool on);
  bool SelectionPlain();
  void ClearSelectionEffects();
  String SelectionFace();
  void SetSelectionFace(RuntimeString* face);
  int32_t SelectionSize();
  void SetSelectionSize(int32_t size);
  int32_t SelectionColor();
  void SetSelectionColor(int32_t rgb);
  int32_t SelectionAlignment();
  void SetSelectionAlignment(int32_t alignment);

  // --- Scrolling and positions ---
  int32_t FirstVisibleLine();
  void ScrollToLine(int32_t line);
  int32_t HorizontalScroll();
  void ScrollHorizontallyTo(int32_t x);
  int32_t LineOfCharacter(int32_t position);
  int32_t FirstCharacterOfLine(int32_t line);
  int32_t CharacterAt(int32_t x, int32_t y);

  // --- Clipboard (the Copy and Paste methods) ---
  void CopySelection();
  void PasteClipboard();

  // --- Pane operations ---
  intptr_t Command(uint32_t code, uint32_t modifiers) override;
  intptr_t Notify(const void* header) override;
  bool NativeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, intptr_t* result) override;
  bool TakesFocus() const override { return true; }
  bool KeepsArrowKeys() const override { return true; }
  bool AcceptsTabs() const override { return multiLine_ && acceptTabs_; }
  bool KeepsReturn() const override { return multiLine_; }
  // "EditCut", "EditCopy", "EditPaste", "EditClear".
  bool MenuCommand(RuntimeString* itemName) override;
  void EnableMenuItems(MenuItemEnabler& enabler) override;

 private:
  ~EditPane() override = default;
  EditFieldObject* Field() const;
  void FillFromField(EditFieldObject* field);
  // Shows `text` without a TextChange for it.
  void ShowQuietly(RuntimeString* text);
  void DeliverTextChange();
  void DeliverSelectionChange();
  // A password field's typing goes to the real text; the control shows "*".
  bool TypeIntoPassword(uint32_t message, uintptr_t wParam);
  void ReplaceUnmasked(const std::u16string& with);

  bool multiLine_ = false;
  bool readOnly_ = false;
  bool password_ = false;
  bool acceptTabs_ = false;
  std::u16string unmasked_;  // a password field's real text
  uint32_t backColour_ = 0;  // COLORREF
  int32_t alignment_ = 0;
};

}  // namespace ql::ui
