// Fuzz entry: any bytes as a COFF object, then linked against an empty
// manifest. Must never crash, hang or read out of bounds.
#include <stddef.h>
#include <stdint.h>

#include "coff_object.h"
#include "image_linker.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  qlimage::Diagnostics diagnostics;
  qlimage::CoffObject object;
  if (!qlimage::ReadCoffObject("input.o", qlimage::ByteView(data, size), object, diagnostics)) return 0;
  qlimage::Manifest manifest;
  manifest.routines["WriteFile"] = "kernel32.dll";
  qlimage::EntryNames names{"RuntimeAddString", "RuntimeUnlockString", "RuntimeLockString"};
  qlimage::Image image;
  std::vector<qlimage::CoffObject> objects;
  objects.push_back(std::move(object));
  qlimage::LinkImage(objects, manifest, names, image, diagnostics);
  return 0;
}
