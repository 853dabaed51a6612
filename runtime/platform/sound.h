// Sound output: wave files held in memory, played without waiting.
#pragma once

namespace ql::platform {

// Starts playing a RIFF WAVE file held in memory and returns at once; the
// bytes must stay alive while it plays (callers check them first,
// startup/resourcedata.h). A sound already playing stops. Win32:
// PlaySoundA with SND_MEMORY | SND_ASYNC | SND_NODEFAULT. POSIX has no sound
// output: false.
bool PlayWaveInMemory(const void* wave);
// Stops the sound PlayWaveInMemory started, if any.
void StopWaveSound();

}  // namespace ql::platform
