#include "startup/imageloader.h"

#include <string.h>

#include <utility>

#include "platform/message_box.h"
#include "startup/auxblock.h"
#include "startup/exitcleanup.h"
#include "startup/imagememory.h"
#include "startup/imageoptions.h"
#include "startup/imagereader.h"
#include "startup/imageresources.h"
#include "startup/missingentry.h"
#include "startup/resourcemanager.h"

namespace ql {
namespace {

using NativeLinker = ImageLinker<NativeImage>;

uint64_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

bool ReadSections(ImageFiles& files, ImageSections* sections) {
  LoadFailure failure;
  if (ReadImage(files, sections, &failure)) return true;
  failure.Report();
  return false;
}

// The options become the running image's only once it is placed: an image
// that is not loaded leaves nothing behind.
bool ReadOptions(const ImageSections& sections, ImageOptions* options) {
  LoadFailure failure;
  if (ParseOptions(sections.options.view(), options, &failure)) return true;
  failure.Report();
  return false;
}

// Plans, resolves, places and writes; the image is placed only when every
// record checked out and everything it names was found.
ImageOutcome LinkImage(const ImageSections& sections, const ImageServices& services, PlacedImage* placed) {
  NativeLinker linker;
  LoadFailure failure;
  if (sections.code.empty()) failure.Add("the code section is empty");
  if (!linker.Plan(sections.code.view(), sections.data.view(), sections.imports.view(), &failure) ||
      failure.failed()) {
    failure.Report();
    return ImageOutcome::NotLoaded;
  }
  LinkMessage message;
  if (!linker.Resolve(*services.entries, *services.libraries, &message)) {
    platform::ShowMessageBox(message.text);
    return ImageOutcome::LinkFailed;
  }
  if (!PlaceImage(sections.code.size(), sections.data.size(), linker.ThunkAreaSize(), placed, &failure)) {
    failure.Report();
    return ImageOutcome::NotLoaded;
  }
  memcpy(placed->code, sections.code.data(), sections.code.size());
  if (!sections.data.empty()) memcpy(placed->data, sections.data.data(), sections.data.size());
  LinkAddresses at;
  at.codeBase = Address(placed->code);
  at.dataBase = Address(placed->data);
  at.thunkBase = Address(placed->thunks);
  at.missingEntryRoutine = Address(reinterpret_cast<const void*>(&CallMissingEntryPoint));
  if (!linker.Apply(placed->code, placed->data, placed->thunks, at, &failure)) {
    failure.Report();
    ReleasePlacedImage(placed);
    return ImageOutcome::NotLoaded;
  }
  return ImageOutcome::Ran;
}

// Resource records are checked with the other sections, before anything is placed.
bool CheckResources(const ImageSections& sections) {
  LoadFailure failure;
  if (CheckResourceSection(sections.resources.view(), &failure)) return true;
  failure.Report();
  return false;
}

// The section is kept for the process and indexed; the index replaces that
// of an image run before (a test's), whose section is freed here.
void HandResourcesOn(ImageSections& sections) {
  ResourceIndex& index = CurrentResources();
  index.Clear();
  ImageResourceSection& resources = CurrentResourceSection();
  resources.bytes = std::move(sections.resources);
  resources.fileOffset = sections.resourceFileOffset;
  LoadFailure failure;
  if (!index.Index(resources.bytes.view(), resources.fileOffset, &failure)) failure.Report();
}

// The first byte of the code: no arguments, C calling convention, result ignored.
void EnterImage(const PlacedImage& image) {
  using Entry = void (*)();
  reinterpret_cast<Entry>(image.code)();
}

}  // namespace

ImageOutcome LoadAndRunImage(const ImageServices& services) {
  ImageSections sections;
  if (!ReadSections(*services.files, &sections)) return ImageOutcome::NotLoaded;
  CurrentAuxiliaryBlock() = AuxiliaryBlock(services.files, sections.locator);
  ImageOptions options;
  if (!ReadOptions(sections, &options) || !CheckResources(sections)) return ImageOutcome::NotLoaded;
  PlacedImage placed;
  const ImageOutcome linked = LinkImage(sections, services, &placed);
  if (linked != ImageOutcome::Ran) return linked;
  CurrentImageOptions() = std::move(options);
  SetCurrentImage(placed);
  HandResourcesOn(sections);
  EnterImage(placed);
  RunExitCleanup();
  return ImageOutcome::Ran;
}

}  // namespace ql
