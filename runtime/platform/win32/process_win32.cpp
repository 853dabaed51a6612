#include <windows.h>

#include "platform/process.h"

namespace ql::platform {

DialogChoice ShowAssertionDialog(const char* title, const char* text) {
  int answer = MessageBoxA(nullptr, text, title, MB_OKCANCEL | MB_ICONERROR | MB_DEFBUTTON2 | MB_TASKMODAL);
  return answer == IDCANCEL ? DialogChoice::Cancel : DialogChoice::Ok;
}

void EndProcess() { ExitProcess(0); }

void FatalExit(const char* text) {
  FatalAppExitA(0, text);
  TerminateProcess(GetCurrentProcess(), 0);
  for (;;) {
  }
}

uint32_t TickCount() { return GetTickCount(); }

}  // namespace ql::platform
