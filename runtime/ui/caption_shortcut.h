// The keyboard shortcut a caption gives its push button, label or tab: a
// single "&" before a character marks it; "&&" stands for a literal "&".
#pragma once

#include "core/string.h"

namespace ql::ui {

// "Alt+" and the marked character in upper case (ASCII letters; any other
// character as it is: shortcut names compare without regard to case), or
// nil when the caption marks none. With several single "&", the last one
// counts; a "&" at the very end marks nothing.
String CaptionShortcutName(RuntimeString* caption);

// The byte offset (in the UTF-8 form of the caption) of the marked
// character, or -1; CaptionShortcutName builds on it.
int32_t CaptionShortcutOffset(const char* text, int32_t length);

}  // namespace ql::ui
