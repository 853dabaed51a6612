#include "startup/processinfo.h"

#include "platform/process.h"

namespace ql {
namespace {

const char* g_commandLine = "";
uint32_t g_startTick = 0;

}  // namespace

void KeepRawCommandLine(const char* commandLine) { g_commandLine = commandLine ? commandLine : ""; }

const char* RawCommandLine() { return g_commandLine; }

void RecordStartTickCount() { g_startTick = platform::TickCount(); }

uint32_t StartTickCount() { return g_startTick; }

}  // namespace ql
