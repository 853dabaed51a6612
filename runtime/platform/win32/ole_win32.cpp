#include <windows.h>
#include <ole2.h>

#include "platform/ole.h"

namespace ql::platform {
namespace {

int g_initialised = 0;  // successful OleInitialize calls not yet balanced

}  // namespace

bool InitialiseOle() {
  if (FAILED(OleInitialize(nullptr))) return false;
  ++g_initialised;
  return true;
}

void UninitialiseOle() {
  if (g_initialised == 0) return;
  --g_initialised;
  OleUninitialize();
}

}  // namespace ql::platform
