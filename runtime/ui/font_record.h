// The font properties a text control stores (TextFont, TextSize, Bold,
// Italic, Underline), in the two field orders the control classes use. A
// TextSize of 0 means 12; a nil TextFont the platform's default face.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "quillon/abi.h"

namespace ql::ui {

// EditField, PopupMenu, TabPanel: the size before the styles.
struct FontRecordSizeFirst {
  RuntimeString* textFont;  // TextFont, one reference
  int16_t textSize;         // TextSize
  uint8_t bold;             // Bold
  uint8_t italic;           // Italic
  uint8_t underline;        // Underline
  uint8_t reserved1;        // zero
  uint16_t reserved2;       // zero
};

// PushButton, StaticText, GroupBox, Listbox: the styles before the size.
struct FontRecordStylesFirst {
  RuntimeString* textFont;  // TextFont, one reference
  uint8_t bold;             // Bold
  uint8_t italic;           // Italic
  uint8_t underline;        // Underline
  uint8_t reserved1;        // zero
  int16_t textSize;         // TextSize
  uint16_t reserved2;       // zero
};

#if defined(__i386__)
static_assert(sizeof(FontRecordSizeFirst) == 12 && offsetof(FontRecordSizeFirst, textSize) == 4 &&
              offsetof(FontRecordSizeFirst, bold) == 6 && offsetof(FontRecordSizeFirst, underline) == 8);
static_assert(sizeof(FontRecordStylesFirst) == 12 && offsetof(FontRecordStylesFirst, bold) == 4 &&
              offsetof(FontRecordStylesFirst, underline) == 6 && offsetof(FontRecordStylesFirst, textSize) == 8);
#endif

}  // namespace ql::ui
