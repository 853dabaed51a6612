#include "ui/canvas_pane.h"

#include "core/intrinsic_classes.h"
#include "startup/resource_classes.h"
#include "ui/control_panes.h"
#include "ui/events.h"
#include "ui/graphics.h"
#include "ui/native_controls.h"

namespace ql::ui {
namespace {

constexpr uint32_t kTransparent = 0x20;  // WS_EX_TRANSPARENT

const ControlEventSlots kCanvasSlots{
    .mouseDown = static_cast<int32_t>(CanvasEvent::MouseDown),
    .mouseDrag = static_cast<int32_t>(CanvasEvent::MouseDrag),
    .mouseUp = static_cast<int32_t>(CanvasEvent::MouseUp),
    .keyDown = static_cast<int32_t>(CanvasEvent::KeyDown),
    .gotFocus = static_cast<int32_t>(CanvasEvent::GotFocus),
    .lostFocus = static_cast<int32_t>(CanvasEvent::LostFocus),
};

bool IsPicture(const RuntimeObject* o) { return o && ClassDescendsFrom(o->cls, ClassOf(intrinsic::Picture)); }

bool ImplementsPaint(const RuntimeObject* canvas) { return Implements(canvas, static_cast<int32_t>(CanvasEvent::Paint)); }

}  // namespace

void CanvasPane::Create(CanvasObject* canvas) {
  RuntimeObject* control = &canvas->control.header;
  auto* pane = new CanvasPane;
  pane->CreatePaneWindow(ControlView(control), nullptr, canvas->control.bounds,
                         PaneWindowSpec{.className = "QL_CanvasPane",
                                        .exStyle = ImplementsPaint(control) ? 0u : kTransparent});
  InstallControlPane(control, pane, &kCanvasSlots);
}

CanvasObject* CanvasPane::Canvas() const { return Control() ? AsCanvas(Control()) : nullptr; }

void CanvasPane::Repaint() {
  if (NativeHandle()) native::Invalidate(NativeHandle(), nullptr, true);
}

void CanvasPane::Paint(const PaintContext& context) {
  CanvasObject* canvas = Canvas();
  if (!canvas || !canvas->control.visible || !Showing()) return;
  const Rect16 b = Bounds();
  const int32_t width = b.right - b.left;
  const int32_t height = b.bottom - b.top;
  if (IsPicture(canvas->backdrop)) {
    const PictureObject* picture = reinterpret_cast<const PictureObject*>(canvas->backdrop);
    native::DrawBitmap(context.deviceContext, picture->bitmap, 0, 0, width < picture->width ? width : picture->width,
                       height < picture->height ? height : picture->height);
  }
  if (!ImplementsPaint(&canvas->control.header)) return;
  ObjectRef g = NewGraphics(context.deviceContext, width, height);
  FireEvent(&canvas->control.header, static_cast<int32_t>(CanvasEvent::Paint), g.get());
  EndGraphics(g.get());
}

bool CanvasPane::TakesFocus() const {
  CanvasObject* canvas = Canvas();
  return canvas && canvas->acceptFocus;
}

bool CanvasPane::AcceptsTabs() const {
  CanvasObject* canvas = Canvas();
  return canvas && canvas->acceptTabs;
}

}  // namespace ql::ui
