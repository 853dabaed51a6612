// The benchmark's image: one window with 30 BenchButton controls (a
// control array of one compiled class, laid out in a grid), made the way
// compiled code makes windows. At its first Paint it writes the
// performance counter to paint.txt and closes, so the process ends.
#include "quillon/image.h"

extern "C" __declspec(dllimport) int __stdcall QueryPerformanceCounter(int64_t* counter);
extern "C" __declspec(dllimport) void* __stdcall CreateFileA(const char* name, uint32_t access, uint32_t share,
                                                             void* security, uint32_t disposition, uint32_t flags,
                                                             void* templateFile);
extern "C" __declspec(dllimport) int __stdcall WriteFile(void* file, const void* bytes, uint32_t count,
                                                         uint32_t* written, void* overlapped);
extern "C" __declspec(dllimport) int __stdcall CloseHandle(void* handle);
extern "C" __declspec(dllimport) int __stdcall PostMessageA(void* window, uint32_t message, uintptr_t wParam,
                                                           intptr_t lParam);

namespace {

constexpr int32_t kControls = 30;
RuntimeClass* buttonClass = nullptr;
bool painted = false;

void WriteCounter() {
  int64_t now = 0;
  QueryPerformanceCounter(&now);
  char digits[24];
  int n = 0;
  do {
    digits[sizeof digits - 1 - n++] = static_cast<char>('0' + now % 10);
    now /= 10;
  } while (now);
  void* file = CreateFileA("paint.txt", 0x40000000, 0, nullptr, 2, 0x80, nullptr);
  uint32_t written = 0;
  WriteFile(file, digits + sizeof digits - n, static_cast<uint32_t>(n), &written, nullptr);
  CloseHandle(file);
}

// --- The control class ---

void ButtonLayout(RuntimeObject* c) {
  const int32_t i = reinterpret_cast<RuntimeControlFields*>(c)->index;
  stringSetter(c, static_cast<uint32_t>(__builtin_offsetof(RuntimeControlFields, name)), QL_STR("Button"));
  ControlVisibleSetter(c, 0, true);
  ctlPosSetter(c, 0, 10 + (i % 3) * 100);
  ctlPosSetter(c, 1, 10 + (i / 3) * 30);
  ctlPosSetter(c, 2, 90);
  ctlPosSetter(c, 3, 24);
  controlEnabledSetter(c, 0, true);
}
void ButtonSetWindow(RuntimeObject*, RuntimeObject*) {}
int32_t ButtonIndex(RuntimeObject* c) { return reinterpret_cast<RuntimeControlFields*>(c)->index; }

RuntimeClass* NewButtonClass() {
  RuntimeClass* base = RuntimeLookupClass(QL_ASCII("BenchButton"));
  RuntimeClass* cls = RuntimeNewClass(base, base->methodCount, base->interfaceCount + 1, base->eventCount,
                                      base->staticMethodCount, base->propertyCount);
  cls->name = RuntimeLockString(QL_ASCII("Button1"));
  cls->instanceSize = base->instanceSize;
  RuntimeInterfaceEntry& paneChild = cls->Interfaces()[base->interfaceCount];
  paneChild.iface = RuntimeLookupClass(QL_ASCII("_PaneChild"));
  paneChild.methodCount = 3;
  paneChild.methods = RuntimeNewVtable(3);
  paneChild.methods[0].function = reinterpret_cast<void*>(ButtonLayout);
  paneChild.methods[1].function = reinterpret_cast<void*>(ButtonSetWindow);
  paneChild.methods[2].function = reinterpret_cast<void*>(ButtonIndex);
  return cls;
}

// --- The window class ---

void WindowLayout(RuntimeObject* w) {
  // Placement 1, Width 320, Height 320, Title, Visible.
  RuntimeMassPropertySetter(w, QL_STR("\x00\x05" "\x00\x00\x00\x01" "\x00\x03" "\x00\x00\x01\x40"
                                      "\x00\x04" "\x00\x00\x01\x40" "\x00\x06" "\x00\x00\x00\x05" "Bench"
                                      "\x00\x00" "\x01"));
}

void WindowCreateControls(RuntimeObject* w) {
  for (int32_t i = 0; i < kControls; ++i) {
    RuntimeObject* c = WindowAllocateObject(w, buttonClass);
    reinterpret_cast<RuntimeControlFields*>(c)->index = i;
    RectControlDefaultConstructor(c);
    WindowAddControl(w, c);
    RuntimeUnlockObject(c);
  }
}

void WindowPaint(RuntimeObject* w, RuntimeObject*) {
  if (painted) return;
  painted = true;
  WriteCounter();
  PostMessageA(reinterpret_cast<void*>(static_cast<intptr_t>(windowHWNDGetter(w, 0))), 0x0010, 0, 0);
}

RuntimeClass* NewWindowClass() {
  RuntimeClass* base = RuntimeLookupClass(QL_ASCII("Window"));
  RuntimeClass* cls = RuntimeNewClass(base, base->methodCount, base->interfaceCount, base->eventCount,
                                      base->staticMethodCount, base->propertyCount);
  cls->name = RuntimeLockString(QL_ASCII("BenchWindow"));
  cls->instanceSize = base->instanceSize;
  cls->events[0].handler = reinterpret_cast<void*>(WindowLayout);
  cls->events[1].handler = reinterpret_cast<void*>(WindowCreateControls);
  cls->events[10].handler = reinterpret_cast<void*>(WindowPaint);
  return cls;
}

}  // namespace

QL_IMAGE_ENTRY() {
  RuntimeInit();
  RuntimeRegisterAppObject(nullptr);
  buttonClass = NewButtonClass();
  RuntimeObject* window = RuntimeNewObject(NewWindowClass());
  WindowDefaultConstructor(window);
  RuntimeUnlockObject(window);
  RuntimeRun();
  RuntimeExit();
}
