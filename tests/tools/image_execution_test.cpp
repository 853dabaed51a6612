// Runs a built x64 image on the host: the image's code is x86-64 with the
// Windows calling convention, which the host compiler can call and be called
// in (ms_abi). Linked by the reference loader against stand-ins for the
// entry points it imports, it shows that thunks, slots, displacements to
// data, anchors and kind 0x05 records make a working program.
#include <gtest/gtest.h>

#if defined(__x86_64__) && defined(__linux__)

#include <sys/mman.h>

#include <string.h>

#include <sstream>
#include <string>

#include "image_builder.h"
#include "quillon/abi.h"
#include "reference_loader.h"

namespace qlimage {
namespace {

#define QL_WINAPI __attribute__((ms_abi))

// --- Stand-ins for the runtime: heap strings with honest reference counts ---
int liveStrings = 0;
RuntimeHandlerFrame* innermost = nullptr;
std::string comparedLeft, comparedRight;
bool staticTextMissing = false;

std::string Text(RuntimeString* s) {
  if (s == nullptr) return "";
  if (s->text == nullptr) {
    staticTextMissing = true;  // a static record whose text pointer the loader did not set
    return "";
  }
  return std::string(s->text + 1, s->length);
}

QL_WINAPI RuntimeString* LockString(RuntimeString* s) {
  if (s != nullptr) ++s->refCount;
  return s;
}
QL_WINAPI void UnlockString(RuntimeString* s) {
  if (s == nullptr || --s->refCount > 0) return;
  --liveStrings;
  delete[] s->text;
  delete s;
}
QL_WINAPI void LockUnlockStrings(RuntimeString* newValue, RuntimeString* oldValue) {
  if (newValue == oldValue) return;
  LockString(newValue);
  UnlockString(oldValue);
}
QL_WINAPI RuntimeString* AddString(RuntimeString* left, RuntimeString* right) {
  std::string joined = Text(left) + Text(right);
  auto* s = new RuntimeString{1, new char[joined.size() + 2], static_cast<uint32_t>(joined.size() + 2),
                              static_cast<int32_t>(joined.size()), QL_ENCODING_UTF8};
  s->text[0] = static_cast<char>(joined.size());
  memcpy(s->text + 1, joined.data(), joined.size() + 1);
  ++liveStrings;
  return s;
}
QL_WINAPI int32_t StringCompare(RuntimeString* left, RuntimeString* right) {
  comparedLeft = Text(left);
  comparedRight = Text(right);
  return comparedLeft == comparedRight ? 0 : 1;
}
QL_WINAPI void PushHandlerFrame(RuntimeHandlerFrame* frame, RuntimeObject** slot) {
  frame->link = innermost;
  frame->slot = slot;
  frame->raised = 0;
  innermost = frame;
}
QL_WINAPI bool PopHandlerFrame(RuntimeHandlerFrame* frame) {
  innermost = frame->link;
  return frame->raised != 0;
}
QL_WINAPI void NilObject() {
  if (innermost != nullptr) innermost->raised = 1;
}
QL_WINAPI void UnlockObject(RuntimeObject*) {}
QL_WINAPI uint32_t TickCount() { return 2; }

template <class F>
uint64_t Address(F* function) {
  return reinterpret_cast<uint64_t>(function);
}

std::vector<std::string> Objects() {
  std::vector<std::string> parts;
  std::stringstream stream(QL_RUN_AMD64_OBJECTS);
  std::string part;
  while (std::getline(stream, part, '|')) parts.push_back(part);
  return parts;
}

TEST(ImageExecution, BuiltX64ImageRunsAgainstStandInEntryPoints) {
  BuildRequest request;
  request.objects = Objects();
  request.entryPoints = QL_ENTRY_POINTS_DIR;
  Image image;
  Diagnostics diagnostics;
  request.manifest = std::string(QL_FIXTURE_SOURCE_DIR) + "/run.manifest";
  ASSERT_TRUE(BuildImage(request, image, diagnostics)) << diagnostics.Errors()[0];

  size_t size = AlignUp(AlignUp(image.code.size(), 16) + image.data.size(), 4096);
  void* memory = mmap(nullptr, size, PROT_READ | PROT_WRITE | PROT_EXEC, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(memory, MAP_FAILED);
  test::ReferenceLoader loader(image, reinterpret_cast<uint64_t>(memory),
                               {{"RuntimeLockString", Address(LockString)},
                                {"RuntimeUnlockString", Address(UnlockString)},
                                {"RuntimeLockUnlockStrings", Address(LockUnlockStrings)},
                                {"RuntimeAddString", Address(AddString)},
                                {"RuntimeStringCompare", Address(StringCompare)},
                                {"RuntimePushHandlerFrame", Address(PushHandlerFrame)},
                                {"RuntimePopHandlerFrame", Address(PopHandlerFrame)},
                                {"RuntimeNilObject", Address(NilObject)},
                                {"RuntimeUnlockObject", Address(UnlockObject)},
                                {"GetTickCount", Address(TickCount)}});
  std::string error;
  ASSERT_TRUE(loader.Link(error)) << error;
  memcpy(memory, loader.block().data(), loader.block().size());

  auto entry = reinterpret_cast<QL_WINAPI void (*)()>(memory);
  entry();

  EXPECT_FALSE(staticTextMissing) << "a static string's text pointer was not set";
  EXPECT_EQ(comparedLeft, "Solutions");
  EXPECT_EQ(comparedRight, "ok");
  EXPECT_EQ(liveStrings, 0) << "every string reference the image took was released";
  EXPECT_EQ(innermost, nullptr) << "handler frames balanced";
  munmap(memory, size);
}

}  // namespace
}  // namespace qlimage

#endif
