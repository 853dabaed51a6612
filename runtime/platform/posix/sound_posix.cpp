#include "platform/sound.h"

namespace ql::platform {

bool PlayWaveInMemory(const void*) { return false; }

void StopWaveSound() {}

}  // namespace ql::platform
