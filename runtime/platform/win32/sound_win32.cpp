#include <windows.h>
#include <mmsystem.h>

#include "platform/sound.h"
#include "platform/win32/system_routine_win32.h"

namespace ql::platform {
namespace {

// The sound library loads with the first sound.
BOOL PlaySoundRoutine(LPCSTR sound, HMODULE module, DWORD flags) {
  static const auto play = LoadSystemRoutine<decltype(PlaySoundA)>(L"winmm.dll", "PlaySoundA");
  return play ? play(sound, module, flags) : FALSE;
}

}  // namespace

bool PlayWaveInMemory(const void* wave) {
  if (!wave) return false;
  return PlaySoundRoutine(static_cast<const char*>(wave), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void StopWaveSound() { PlaySoundRoutine(nullptr, nullptr, 0); }

}  // namespace ql::platform
