#include "ui/graphics.h"

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/graphics.h"
#include "quillon/entrypoints/objects.h"
#include "ui/control_fields.h"
#include "ui/native_controls.h"

namespace ql::ui {
namespace {

GraphicsObject* Drawing(RuntimeObject* o) {
  GraphicsObject* g = FieldsOf<GraphicsObject>(o);
  return g && g->deviceContext ? g : nullptr;
}

const PropertyEntry kProperties[] = {
    ReadOnlyProperty("Width", types::Integer, QL_LINK(intGetter), offsetof(GraphicsObject, width)),
    ReadOnlyProperty("Height", types::Integer, QL_LINK(intGetter), offsetof(GraphicsObject, height)),
    Property("ForeColor", types::Color, QL_LINK(intGetter), QL_LINK(intSetter), offsetof(GraphicsObject, foreColor)),
};

const ParameterEntry kLineParameters[] = {Parameter("x1", types::Integer), Parameter("y1", types::Integer),
                                          Parameter("x2", types::Integer), Parameter("y2", types::Integer)};
const ParameterEntry kRectParameters[] = {Parameter("x", types::Integer), Parameter("y", types::Integer),
                                          Parameter("width", types::Integer), Parameter("height", types::Integer)};
const ParameterEntry kStringParameters[] = {Parameter("text", types::String), Parameter("x", types::Integer),
                                            Parameter("y", types::Integer)};

const MethodEntry kMethods[] = {
    Method("DrawLine", QL_LINK(GraphicsDrawLine), nullptr, kLineParameters),
    Method("DrawRect", QL_LINK(GraphicsDrawRect), nullptr, kRectParameters),
    Method("FillRect", QL_LINK(GraphicsFillRect), nullptr, kRectParameters),
    Method("DrawString", QL_LINK(GraphicsDrawString), nullptr, kStringParameters),
};

// Far-off coordinates are clamped to the system's 16-bit range, not wrapped.
int16_t Clamp16(int64_t v) { return static_cast<int16_t>(v < INT16_MIN ? INT16_MIN : v > INT16_MAX ? INT16_MAX : v); }

Rect16 Box(int32_t x, int32_t y, int32_t width, int32_t height) {
  return Rect16{Clamp16(y), Clamp16(x), Clamp16(static_cast<int64_t>(y) + height),
                Clamp16(static_cast<int64_t>(x) + width)};
}

uint32_t Colour(const GraphicsObject* g) { return native::SystemColour(static_cast<uint32_t>(g->foreColor)); }

}  // namespace

ObjectRef NewGraphics(void* deviceContext, int32_t width, int32_t height) {
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::Graphics)));
  if (GraphicsObject* g = o ? reinterpret_cast<GraphicsObject*>(o.get()) : nullptr) {
    g->deviceContext = deviceContext;
    g->width = width;
    g->height = height;
  }
  return o;
}

void EndGraphics(RuntimeObject* graphics) {
  if (graphics) reinterpret_cast<GraphicsObject*>(graphics)->deviceContext = nullptr;
}

}  // namespace ql::ui

namespace ql::intrinsic {
const ClassDescription GraphicsDescription{
    .name = "Graphics",
    .instanceSize = sizeof(ui::GraphicsObject),
    .properties = ui::kProperties,
    .methods = ui::kMethods,
};
ObjectDefinition Graphics(GraphicsDescription);
}  // namespace ql::intrinsic

using namespace ql;
using namespace ql::ui;

QL_ENTRY void GraphicsDrawLine(RuntimeObject* o, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  if (GraphicsObject* g = Drawing(o)) native::DrawLine(g->deviceContext, Colour(g), x1, y1, x2, y2);
}

QL_ENTRY void GraphicsDrawRect(RuntimeObject* o, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (GraphicsObject* g = Drawing(o)) native::FrameBox(g->deviceContext, Box(x, y, width, height), Colour(g));
}

QL_ENTRY void GraphicsFillRect(RuntimeObject* o, int32_t x, int32_t y, int32_t width, int32_t height) {
  if (GraphicsObject* g = Drawing(o)) native::FillBox(g->deviceContext, Box(x, y, width, height), Colour(g));
}

QL_ENTRY void GraphicsDrawString(RuntimeObject* o, RuntimeString* text, int32_t x, int32_t y) {
  if (GraphicsObject* g = Drawing(o)) native::DrawTextAt(g->deviceContext, Colour(g), x, y, text);
}
