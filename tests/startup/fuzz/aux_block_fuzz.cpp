// Fuzz entry: any bytes as an executable's locator resource (the first 8
// bytes), a record number (the next 2) and the executable file itself (the
// rest; also the development file "data3.dat", beside an empty image). The
// image is read as the locator says, and the auxiliary block's cursor
// records are looked up. Must never crash or read outside the file, and a
// record that is found starts inside the file.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "core/intrinsic_classes.h"
#include "core/object_definition.h"
#include "startup/auxblock.h"
#include "startup/fake_image_files.h"
#include "startup/imagereader.h"
#include "startup/resource_accessors.h"
#include "startup/resourcedata.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

const bool kReady = [] {
  ql::fuzz::QuietReports();
  ql::RegisterIntrinsicClasses();
  ql::ClassOf(ql::intrinsic::MouseCursor);
  return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  ql::fuzz::InputReader in(bytes, size);
  ql::test::FakeImageFiles files;
  files.locator = ql::test::Bytes();
  for (int i = 0; i < 8; ++i) files.locator->push_back(in.Byte());
  const int64_t number = static_cast<int16_t>(in.Word16());
  files.executable = ql::test::Bytes(in.rest(), in.rest() + in.left());
  files.DevelopmentFiles({}, {}, {}, {}, {});  // an empty image beside "data3.dat"
  files.folder["data3.dat"] = *files.executable;
  const uint64_t fileSize = files.executable->size();

  const ql::fuzz::AllocationBalance balance;
  {
    ql::ImageSections sections;
    ql::LoadFailure failure;
    if (!ql::ReadImage(files, &sections, &failure)) return 0;
    ql::AuxiliaryBlock block(&files, sections.locator);
    for (const int64_t n : {number, int64_t{0}, int64_t{1}, int64_t{2}, int64_t{0xFFFFFFFF}, INT64_MAX}) {
      ql::ByteSource* file = nullptr;
      uint64_t position = 0;
      if (block.Find(n, &file, &position)) Require(n >= 1 && position < fileSize, "a record starts inside the file");
      const ql::ObjectRef cursor = ql::CursorFromAuxiliaryBlock(block, n);
      Require(!cursor || position + ql::kCursorResourceSize <= fileSize, "a cursor record lies inside the file");
    }
  }
  balance.Check("the sections and cursors are freed");
  return 0;
}
