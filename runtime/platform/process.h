// Process-level services: ending the process, modal reports, the clock.
#pragma once

#include <stdint.h>

namespace ql::platform {

enum class DialogChoice { Ok, Cancel };

// Shows the failed-assertion report (modal, error icon, OK and Cancel with
// Cancel as the default). On POSIX the text goes to standard error and the
// answer is OK.
DialogChoice ShowAssertionDialog(const char* title, const char* text);

// Ends the process with exit code 0 (ExitProcess on Windows). Returns only if
// the system refused.
void EndProcess();

// The last resort when ending the process did not work.
[[noreturn]] void FatalExit(const char* text);

// Milliseconds since system start, wrapping at 2^32 (GetTickCount).
uint32_t TickCount();

}  // namespace ql::platform
