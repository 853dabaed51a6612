// A routine of a Windows system library, loaded on first use. The shell and
// the sound library serve only some paths (a URL, the preferences folder, a
// sound), and loading them at start-up cost about 1.2 MiB of working set
// and part of the start under wine.
#pragma once

#include <windows.h>

namespace ql::platform {

// The library from the system folder only, never from the program's own or
// the current folder; nullptr when it or the routine is missing.
void* SystemRoutineAddress(const wchar_t* library, const char* routine);

// The routine with the type of its declaration, named only in decltype so
// that nothing imports it: LoadSystemRoutine<decltype(PlaySoundA)>(L"winmm.dll", "PlaySoundA").
template <class Routine>
Routine* LoadSystemRoutine(const wchar_t* library, const char* routine) {
  return reinterpret_cast<Routine*>(SystemRoutineAddress(library, routine));
}

}  // namespace ql::platform
