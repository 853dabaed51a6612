// Design-time row lists: a pop-up menu's InitialValue and a tab panel's
// TabDefinition hold their rows (or tab captions) separated by line ends.
#pragma once

#include <vector>

#include "core/string.h"

namespace ql::ui {

enum class NulSeparates { No, Yes };

// Every line end (CR LF, LF or CR) counts as one separator, and with
// NulSeparates::Yes also every NUL byte. Each piece before a separator is a
// row, an empty one included; the text after the last separator is a row
// only when it is not empty, so a trailing line end adds no empty row.
// Pieces keep the text's encoding (UTF-16 text is read as UTF-8).
std::vector<String> SplitRows(RuntimeString* text, NulSeparates nul = NulSeparates::No);

}  // namespace ql::ui
