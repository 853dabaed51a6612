#include "ui/group_pane.h"

#include "ui/control_panes.h"
#include "ui/events.h"

namespace ql::ui {
namespace {

constexpr uint32_t kGroupBoxStyle = 7;  // BS_GROUPBOX

const ControlEventSlots kGroupSlots{
    .mouseDown = static_cast<int32_t>(GroupBoxEvent::MouseDown),
    .mouseDrag = static_cast<int32_t>(GroupBoxEvent::MouseDrag),
    .mouseUp = static_cast<int32_t>(GroupBoxEvent::MouseUp),
};

}  // namespace

void GroupPane::Create(GroupBoxObject* group) {
  RuntimeObject* control = &group->control.header;
  auto* pane = new GroupPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, group->control.bounds,
                         PaneWindowSpec{.className = "BUTTON", .text = group->caption, .style = kGroupBoxStyle});
  pane->UseFont(ChoiceOf(group->font));
  InstallControlPane(control, pane, &kGroupSlots);
}

void GroupPane::SetCaption(RuntimeString* caption) {
  if (NativeHandle()) native::SetText(NativeHandle(), caption);
}

// Everything whose rectangle lies inside the frame, other group boxes too:
// without visual themes a group box may hold another.
bool GroupPane::ClaimsChild(const Rect16& b, uint32_t) const {
  const Rect16 r = Bounds();
  return b.left >= r.left && b.top >= r.top && b.right <= r.right && b.bottom <= r.bottom;
}

}  // namespace ql::ui
