// The appearance plug-in: the Separator control, an etched line along the
// longer side of its rectangle. Loaded by the runtime from the image's
// 'QLPl' resource; QUILPluginMain registers the class.
#include <windows.h>

#include "quillon/plugin.h"

namespace {

// A dark line and a light one beside it, through the middle of the longer
// side; LineTo leaves the end point itself unpainted.
void PaintSeparator(RuntimeObject*, void* deviceContext, const QuillonRect* r) {
  HDC dc = static_cast<HDC>(deviceContext);
  HPEN shadow = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
  HPEN highlight = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  HGDIOBJ previous = SelectObject(dc, shadow);
  if (r->right - r->left > r->bottom - r->top) {
    const int y = (r->top + r->bottom) / 2;
    MoveToEx(dc, r->left, y, nullptr);
    LineTo(dc, r->right, y);
    SelectObject(dc, highlight);
    MoveToEx(dc, r->left, y + 1, nullptr);
    LineTo(dc, r->right, y + 1);
  } else {
    const int x = (r->left + r->right) / 2;
    MoveToEx(dc, x, r->top, nullptr);
    LineTo(dc, x, r->bottom);
    SelectObject(dc, highlight);
    MoveToEx(dc, x + 1, r->top, nullptr);
    LineTo(dc, x + 1, r->bottom);
  }
  SelectObject(dc, previous);
  DeleteObject(shadow);
  DeleteObject(highlight);
}

}  // namespace

extern "C" __declspec(dllexport) void QUILPluginMain(QuillonLookupEntryPoint lookup) {
  auto registerClass = reinterpret_cast<QuillonRegisterPluginClass>(lookup("RuntimeRegisterPluginClass"));
  if (!registerClass) return;
  static const QuillonPluginControl control = {64, 4, PaintSeparator};
  QuillonPluginClass separator = {};
  separator.version = QUILLON_PLUGIN_VERSION;
  separator.name = "Separator";
  separator.superName = "RectControl";
  separator.fieldBytes = 4;  // room of its own that the drawing does not use
  separator.control = &control;
  registerClass(&separator);
}
