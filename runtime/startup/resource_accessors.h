// Turning resources into objects: what the exported accessors do, over any
// index (the entry points use the running image's).
#pragma once

#include <stdint.h>

#include "core/object.h"
#include "core/string.h"
#include "startup/auxblock.h"
#include "startup/resourcemanager.h"

namespace ql {

// 'BMP ': a Picture; nil when the data is no bitmap file (resourcedata.h)
// or the system makes no bitmap of it.
ObjectRef PictureFromResource(const ResourceIndex& resources, uint16_t number);
// 'CURS': a MouseCursor; nil for fewer than 68 bytes.
ObjectRef CursorFromResource(const ResourceIndex& resources, uint16_t number);
// 'WAVE', else 'SND ', over the data in place. 'MIDI' and 'MPEG' would be
// played from temporary files, which are not built: nil.
ObjectRef SoundFromResource(const ResourceIndex& resources, uint16_t number);
// 'TEXT': the bytes in the system encoding; nil (the empty string) for none.
String TextFromResource(const ResourceIndex& resources, uint16_t number);

// Cursor record `number` (68 bytes, the 'CURS' layout) of the auxiliary data
// block; nil when it is not there.
ObjectRef CursorFromAuxiliaryBlock(AuxiliaryBlock& block, int64_t number);

}  // namespace ql
