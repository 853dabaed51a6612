// Entry points: the Graphics object a Paint event receives. It draws into
// the canvas (or window) being painted, only while the event runs; its
// Width and Height are the painted area's, ForeColor (0x00RRGGBB) colours
// every drawing. Lines, frames and fills are one pixel wide; coordinates
// are the canvas's own.
#pragma once

#include "quillon/entrypoints/common.h"

QL_ENTRY void GraphicsDrawLine(RuntimeObject* g, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
QL_ENTRY void GraphicsDrawRect(RuntimeObject* g, int32_t x, int32_t y, int32_t width, int32_t height);
QL_ENTRY void GraphicsFillRect(RuntimeObject* g, int32_t x, int32_t y, int32_t width, int32_t height);
// The text's baseline starts at (x, y), in the canvas's font.
QL_ENTRY void GraphicsDrawString(RuntimeObject* g, RuntimeString* text, int32_t x, int32_t y);
