// What the process was started with, kept for the parts that read it later:
// the raw command line (the arguments without the program name) and the
// tick count taken when the runtime was initialised.
#pragma once

#include <stdint.h>

namespace ql {

void KeepRawCommandLine(const char* commandLine);
const char* RawCommandLine();  // "" when none was given

void RecordStartTickCount();
uint32_t StartTickCount();

}  // namespace ql
