#include <windows.h>
#include <mmsystem.h>

#include "platform/sound.h"

namespace ql::platform {

bool PlayWaveInMemory(const void* wave) {
  if (!wave) return false;
  return PlaySoundA(static_cast<const char*>(wave), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT) != FALSE;
}

void StopWaveSound() { PlaySoundA(nullptr, nullptr, 0); }

}  // namespace ql::platform
