// Control fonts: one process-wide cache of the fonts made from a control's
// (TextFont, TextSize, Bold, Italic, Underline). A request equal in all five
// (the face compared without regard to case) shares the cached font and
// counts one more use.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/string.h"

namespace ql::ui {

struct FontRequest {
  RuntimeString* face = nullptr;  // TextFont as given; nil: the system's default face
  int32_t size = 0;               // TextSize; 0 means 12
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

// The font for the request with one use for the caller (hand it to
// Pane::SetFont, which keeps that use), or nil when the system made none.
void* AcquireControlFont(const FontRequest& request);
// Gives one use back. Fonts stay cached until the process ends.
void ReleaseControlFont(void* font);
// Uses counted for a cached font (0 for one the cache does not know).
int32_t FontUseCount(void* font);
size_t CachedFontCount();

// The Windows face for a TextFont: "System", "Application", "Geneva",
// "SmallSystem" -> "MS Sans Serif", "Courier" -> "Courier New", "Times" ->
// "Times New Roman", "Helvetica" -> "Arial", "Osaka" -> "MS UI Gothic"
// (compared without regard to case); nil for any other name, which is used
// unchanged.
const char* MappedFaceName(RuntimeString* face);
// The character set of a system script code (13 -> 128, 21 -> 136, ...; 1
// for any other).
uint8_t CharsetOfScriptCode(int32_t scriptCode);

}  // namespace ql::ui
