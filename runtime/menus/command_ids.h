// Menu command identifiers: the number a menu entry sends with WM_COMMAND.
// One process-wide table; an item takes the lowest free identifier, so the
// first 1024 live items get 1000 to 2023, and the table goes on past them
// up to 32767, which keeps every identifier a positive 16-bit value (the
// low word of WM_COMMAND's wParam).
#pragma once

#include <stddef.h>
#include <stdint.h>

namespace ql::menus {

constexpr uint32_t kNoCommandId = 0;  // matches no command
constexpr uint32_t kFirstCommandId = 1000;
constexpr uint32_t kLastCommandId = 0x7FFF;

// The lowest free identifier, or kNoCommandId when every one is taken.
uint32_t TakeCommandId();
// Frees an identifier taken before; kNoCommandId and others are ignored.
void FreeCommandId(uint32_t id);
size_t CommandIdsInUse();

}  // namespace ql::menus
