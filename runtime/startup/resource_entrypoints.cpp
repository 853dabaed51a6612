// The resource accessors and the Sound methods, as the image calls them.
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "platform/sound.h"
#include "quillon/entrypoints/resources.h"
#include "startup/resource_accessors.h"
#include "startup/resource_classes.h"
#include "startup/resourcedata.h"
#include "startup/resourcemanager.h"

namespace {

// Resource numbers are 16-bit: the low half of the argument.
uint16_t NumberOf(int32_t number) { return static_cast<uint16_t>(number); }

// The receiver of a Sound method: nil raises NilObjectException; an object
// of another class is no sound and is left alone.
const ql::SoundObject* SoundReceiver(RuntimeObject* o) {
  if (!o) {
    ql::RaiseNilObjectException();
    return nullptr;
  }
  if (!ql::ClassDescendsFrom(o->cls, ql::ClassOf(ql::intrinsic::Sound))) return nullptr;
  return reinterpret_cast<const ql::SoundObject*>(o);
}

}  // namespace

QL_ENTRY RuntimeObject* RuntimeGetBitmapFromResourceManager(int32_t number) {
  return ql::PictureFromResource(ql::CurrentResources(), NumberOf(number)).release();
}

QL_ENTRY RuntimeObject* RuntimeGetCursorFromResourceManager(int32_t number) {
  return ql::CursorFromResource(ql::CurrentResources(), NumberOf(number)).release();
}

QL_ENTRY RuntimeObject* RuntimeGetSoundFromResourceManager(int32_t number) {
  return ql::SoundFromResource(ql::CurrentResources(), NumberOf(number)).release();
}

QL_ENTRY RuntimeString* RuntimeGetTextFileFromResourceManager(int32_t number) {
  return ql::TextFromResource(ql::CurrentResources(), NumberOf(number)).release();
}

QL_ENTRY RuntimeObject* RuntimeGetMovieFromResource(int32_t) { return nullptr; }

QL_ENTRY RuntimeObject* RuntimeGetDatabaseFromResource(int32_t) { return nullptr; }

QL_ENTRY void SoundPlay(RuntimeObject* sound) {
  const ql::SoundObject* s = SoundReceiver(sound);
  // The system's player trusts the sizes in the data: only a sound wave that checks out is handed on.
  if (s && s->data && ql::IsPlayableWave(ql::ByteView{s->data, s->size})) ql::platform::PlayWaveInMemory(s->data);
}

QL_ENTRY void SoundStop(RuntimeObject* sound) {
  if (SoundReceiver(sound)) ql::platform::StopWaveSound();
}
