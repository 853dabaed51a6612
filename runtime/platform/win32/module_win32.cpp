#include <windows.h>
#include <string.h>

#include "platform/module.h"

namespace ql::platform {
namespace {

HINSTANCE g_instance = nullptr;

}  // namespace

void SetModuleInstance(void* instance) { g_instance = static_cast<HINSTANCE>(instance); }

void* ModuleInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }

bool ExecutablePath(char (&out)[1024]) {
  const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(ModuleInstance()), out, sizeof out);
  // A full buffer means the path was cut short.
  return length > 0 && length < sizeof out;
}

int64_t ReadLocatorResource(uint8_t (&out)[8]) {
  HMODULE module = static_cast<HMODULE>(ModuleInstance());
  HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(101), "PICKLE");
  if (!resource) return -1;
  const DWORD size = SizeofResource(module, resource);
  HGLOBAL loaded = LoadResource(module, resource);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return -1;
  memcpy(out, bytes, size < sizeof out ? size : sizeof out);
  return size;
}

}  // namespace ql::platform
