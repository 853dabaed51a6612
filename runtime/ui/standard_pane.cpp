#include "ui/standard_pane.h"

#include "ui/fonts.h"
#include "ui/native_controls.h"
#include "ui/view_window.h"

namespace ql::ui {
namespace {

constexpr uint32_t kSetFocusMessage = 0x0007;  // WM_SETFOCUS

}  // namespace

bool StandardPane::NativeMessage(uint32_t message, uintptr_t, intptr_t, intptr_t*) {
  if (message == kSetFocusMessage && Root() && Root()->FocusPane() != this) Root()->SetFocusPane(this);
  return false;
}

void UseControlFont(Pane* pane, const FontChoice& font) {
  pane->SetFont(AcquireControlFont(FontRequest{font.face, font.size, font.bold, font.italic, font.underline}));
}

void FillPaneBackground(Pane* pane, void* deviceContext) {
  RuntimeViewWindow* view = pane->Root();
  const Rect16 b = pane->Bounds();
  const Rect16 box{0, 0, static_cast<int16_t>(b.bottom - b.top), static_cast<int16_t>(b.right - b.left)};
  const native::Handle parent = pane->NativeHandle() ? native::ParentOf(pane->NativeHandle()) : nullptr;
  // Inside a tab control or a group box the pane shows what they draw
  // there (a tab page is white under visual styles), else the window's.
  if (parent && view && parent != view->NativeHandle())
    native::FillWithParentBackground(pane->NativeHandle(), deviceContext);
  else if (view && view->HasBackgroundColour())
    native::FillBox(deviceContext, box, view->BackgroundColour());
  else
    native::FillBoxWithButtonFace(deviceContext, box);
}

}  // namespace ql::ui
