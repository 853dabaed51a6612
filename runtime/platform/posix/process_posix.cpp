#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include "platform/process.h"

namespace ql::platform {

DialogChoice ShowAssertionDialog(const char* title, const char* text) {
  fprintf(stderr, "%s\n%s\n", title, text);
  fflush(stderr);
  return DialogChoice::Ok;
}

void EndProcess() {
  fflush(nullptr);
  _exit(0);
}

void FatalExit(const char* text) {
  fprintf(stderr, "%s\n", text);
  abort();
}

uint32_t TickCount() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint32_t>(static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u);
}

}  // namespace ql::platform
