// Entry points: the image's resources as objects. Each accessor takes a
// resource number, of which the low 16 bits are used, and returns a new
// object (one reference) or nil when no resource of its type has that
// number or its data cannot be used.
#pragma once

#include "quillon/entrypoints/common.h"

// 'BMP ': a new Picture holding a bitmap of the system.
QL_ENTRY RuntimeObject* RuntimeGetBitmapFromResourceManager(int32_t number);
// 'CURS': a new MouseCursor (32 by 32, monochrome).
QL_ENTRY RuntimeObject* RuntimeGetCursorFromResourceManager(int32_t number);
// 'WAVE', else 'SND ': a new Sound over the resource's data.
QL_ENTRY RuntimeObject* RuntimeGetSoundFromResourceManager(int32_t number);
// 'TEXT': a new string of the bytes in the system's encoding (nil for none).
QL_ENTRY RuntimeString* RuntimeGetTextFileFromResourceManager(int32_t number);
// 'moov' and 'DBAS': movies and databases are not built; always nil.
QL_ENTRY RuntimeObject* RuntimeGetMovieFromResource(int32_t number);
QL_ENTRY RuntimeObject* RuntimeGetDatabaseFromResource(int32_t number);

// --- Sound ---
// Starts playing the sound and returns at once; nothing when its data is no
// wave file the system can play.
QL_ENTRY void SoundPlay(RuntimeObject* sound);
// Stops the sound playing.
QL_ENTRY void SoundStop(RuntimeObject* sound);
