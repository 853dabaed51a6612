#include "ui/keys.h"

#include "ui/events.h"
#include "ui/menu_hooks.h"
#include "ui/native.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

enum : uint32_t {
  kKeyNumpad0 = 0x60,
  kKeyNumpad9 = 0x69,
  kKeyMultiply = 0x6A,
  kKeyAdd = 0x6B,
  kKeySubtract = 0x6D,
  kKeyDecimal = 0x6E,
  kKeyDivide = 0x6F,
  kKeyOemComma = 0xBC,
  kKeyOemPeriod = 0xBE,
};

constexpr uint32_t kShortcutModifiers = kModifierShift | kModifierControl | kModifierAlt;

// The first character the keyboard gives with this key and the same Shift
// and Ctrl+Alt state.
bool ScannedCharacter(uint32_t virtualKey, uint32_t modifiers, uint8_t* out) {
  const bool shift = (modifiers & kModifierShift) != 0;
  const bool ctrlAlt = (modifiers & kModifierControl) && (modifiers & kModifierAlt);
  for (uint32_t c = 32; c <= 255; ++c) {
    const int16_t scan = native::ScanCharacter(static_cast<uint8_t>(c));
    if (scan == -1 || static_cast<uint32_t>(scan & 0xFF) != virtualKey) continue;
    const uint32_t state = static_cast<uint32_t>(scan >> 8) & 0xFF;
    if (((state & 1) != 0) == shift && ((state & 6) == 6) == ctrlAlt) {
      *out = static_cast<uint8_t>(c);
      return true;
    }
  }
  return false;
}

Pane* FindButton(RuntimeViewWindow* view, bool cancel) {
  for (size_t i = 0; i < view->PaneCount(); ++i) {
    Pane* p = view->PaneAt(i);
    if (!p->Showing() || !p->Enabled()) continue;
    if (cancel ? p->IsCancelButton() : p->IsDefaultButton()) return p;
  }
  return nullptr;
}

// Step 4 of the pre-translation: the keys the window itself handles.
bool DefaultKeyHandling(RuntimeViewWindow* view, Pane* focus, const KeyEvent& key) {
  switch (key.virtualKey) {
    case kKeyLeft:
    case kKeyUp:
    case kKeyRight:
    case kKeyDown:
      if (!focus || focus->KeepsArrowKeys()) return false;
      view->MoveFocus(key.virtualKey == kKeyLeft || key.virtualKey == kKeyUp ? FocusDirection::Previous
                                                                             : FocusDirection::Next);
      return true;
    case kKeyTab:
      if (key.modifiers & kModifierControl) return false;
      if (key.modifiers & kModifierShift) {
        view->MoveFocus(FocusDirection::Previous);
        return true;
      }
      if (focus && focus->AcceptsTabs()) return false;
      view->MoveFocus(FocusDirection::Next);
      return true;
    case kKeyReturn:
    case kKeyKeypadEnter: {
      if (focus && focus->HasOpenList()) return false;
      if (focus && focus->IsPushButton()) {
        focus->Push();
        return true;
      }
      Pane* button = FindButton(view, false);
      if (focus && focus->KeepsReturn() && !(key.virtualKey == kKeyKeypadEnter && button)) return false;
      if (!button) return false;
      button->Push();
      return true;
    }
    case kKeyEscape:
      if (focus && focus->HasOpenList()) return false;
      if (Pane* button = FindButton(view, true)) {
        button->Push();
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace

bool IsModifierKey(uint32_t virtualKey) {
  return (virtualKey >= 16 && virtualKey <= 20) || (virtualKey >= 91 && virtualKey <= 93) || virtualKey == 144 ||
         virtualKey == 145;
}

uint8_t KeyCharacter(uint32_t virtualKey, uint32_t modifiers) {
  if (virtualKey >= kKeyF1 && virtualKey <= kKeyF24) return static_cast<uint8_t>(virtualKey + 88);
  if (virtualKey >= kKeyNumpad0 && virtualKey <= kKeyNumpad9) return static_cast<uint8_t>('0' + virtualKey - kKeyNumpad0);
  switch (virtualKey) {
    case kKeyPrior: return 11;
    case kKeyNext: return 12;
    case kKeyEnd: return 4;
    case kKeyHome: return 1;
    case kKeyLeft: return 28;
    case kKeyRight: return 29;
    case kKeyUp: return 30;
    case kKeyDown: return 31;
    case kKeyInsert: return 5;
    case kKeyDelete: return 127;
    case kKeyMultiply: return '*';
    case kKeyAdd: return '+';
    case kKeySubtract: return '-';
    case kKeyDivide: return '/';
    case kKeyDecimal: return '.';
    case kKeyKeypadEnter: return 3;
    default: break;
  }
  if ((modifiers & kShortcutModifiers) == 0) {
    if (virtualKey == kKeyOemComma) return ',';
    if (virtualKey == kKeyOemPeriod) return '.';
  }
  if (virtualKey < 32) return static_cast<uint8_t>(virtualKey);
  uint8_t c = 0;
  if (ScannedCharacter(virtualKey, modifiers, &c)) return c;
  return static_cast<uint8_t>(virtualKey);
}

KeyEvent MakeKeyEvent(uint32_t virtualKey, bool extended, uint32_t modifiers) {
  KeyEvent e;
  e.virtualKey = virtualKey == kKeyReturn && extended ? kKeyKeypadEnter : virtualKey;
  e.modifiers = modifiers;
  e.hasCharacter = !IsModifierKey(virtualKey);
  e.character = e.hasCharacter ? KeyCharacter(e.virtualKey, modifiers) : 0;
  return e;
}

String KeyString(const KeyEvent& event) {
  if (!event.hasCharacter) return String();
  const char c = static_cast<char>(event.character);
  return NewStringFromBytes(&c, 1, SystemEncoding());
}

bool PreTranslateKeyDown(RuntimeViewWindow* view, uint32_t virtualKey, bool extended, uint32_t modifiers) {
  const bool modalFront = view && IsModalProcedure(view->Procedure());
  if (MatchShortcut(virtualKey, modifiers, modalFront)) return true;
  if (!view || view->Closing()) return false;
  PaneLock hold(view);  // a handler may close the window
  const KeyEvent key = MakeKeyEvent(virtualKey, extended, modifiers);
  Pane* focus = view->FocusPane();
  if (focus && focus->KeyDown(key)) return true;
  // The handlers may have closed the window.
  if (view->Closing()) return true;
  focus = view->FocusPane();
  if (!(focus && focus->IsTextField())) {
    String text = KeyString(key);
    if (FireBooleanEvent(view->WindowRef(), WindowEvent::KeyDown, text.get())) return true;
    if (view->Closing()) return true;
    focus = view->FocusPane();
  }
  return DefaultKeyHandling(view, focus, key);
}

}  // namespace ql::ui
