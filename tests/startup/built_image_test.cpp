// The linker links what the image builder writes, for both targets: the
// start-up tests' image compiled for each machine (IA-32 images can only be
// linked here, not run).
#if defined(QL_STARTUP_IMAGES_DIR)

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "platform/readonly_file.h"
#include "startup/imagelinker.h"
#include "startup/link_fakes.h"
#include "startup/synthetic_image.h"

namespace ql {
namespace {

using test::Bytes;

Bytes ReadFile(const std::string& path) {
  platform::ReadOnlyFile* file = platform::ReadOnlyFile::Open(path.c_str());
  if (!file) return {};
  Bytes bytes(file->Size());
  if (!bytes.empty() && !file->ReadAt(0, bytes.data(), bytes.size())) bytes.clear();
  delete file;
  return bytes;
}

// Every name it is asked for, at an address of its own.
class AnyEntry final : public EntryPointResolver {
 public:
  uint64_t Find(const char* name, size_t length) override {
    auto [it, added] = names.emplace(std::string(name, length), 0x00800000u + 16u * names.size());
    return it->second;
  }
  std::map<std::string, uint64_t> names;
};

template <class Target>
void LinkBuiltImage(const char* machine) {
  const std::string dir = std::string(QL_STARTUP_IMAGES_DIR) + "/" + machine + "/";
  Bytes code = ReadFile(dir + "code.dat");
  Bytes data = ReadFile(dir + "data.dat");
  const Bytes imports = ReadFile(dir + "import.dat");
  ASSERT_FALSE(code.empty()) << dir;
  ASSERT_FALSE(imports.empty()) << dir;

  ImageLinker<Target> linker;
  LoadFailure failure;
  ASSERT_TRUE(linker.Plan({code.data(), code.size()}, {data.data(), data.size()}, {imports.data(), imports.size()},
                          &failure))
      << machine << ": " << failure.message();
  AnyEntry entries;
  test::FakeLibraryLoader loader;
  loader.libraries = {{"kernel32.dll", 0x7000}};
  loader.routines = {{{0x7000, "CreateFileA"}, 0x00901000},
                     {{0x7000, "WriteFile"}, 0x00902000},
                     {{0x7000, "CloseHandle"}, 0x00903000}};
  LibraryImports libraries(loader);
  LinkMessage message;
  ASSERT_TRUE(linker.Resolve(entries, libraries, &message)) << machine << ": " << message.text;
  EXPECT_EQ(linker.MissingCount(), 0u);
  const std::set<std::string> expected = {
      "RuntimeAllocatePluginEntrypointsTable", "RuntimeExit", "RuntimeInit", "RuntimeLockString",
      "RuntimeLookupClass", "RuntimeNewClass", "RuntimeNewObject", "RuntimeNilObject", "RuntimeObjectIsa",
      "RuntimePopHandlerFrame", "RuntimePushHandlerFrame", "RuntimeRaiseException", "RuntimeUnlockObject"};
  std::set<std::string> asked;
  for (const auto& [name, address] : entries.names) asked.insert(name);
  EXPECT_EQ(asked, expected) << machine;
  EXPECT_EQ(loader.loads.size(), 1u) << machine;

  LinkAddresses at{0x00400000, 0x00400000 + AlignUp(code.size(), 16), 0x00600000, 0x00700000};
  ASSERT_TRUE(linker.Apply(code.data(), data.data(), nullptr, at, &failure)) << machine << ": " << failure.message();
  // Both string records of the image now point at their own text.
  size_t strings = 0;
  for (size_t offset = 0; offset + Target::kStringHeaderSize <= data.size(); offset += Target::kWordSize) {
    const uint64_t text = test::GetWord(data, offset + Target::kStringTextOffset, Target::kWordSize);
    if (text == at.dataBase + offset + Target::kStringHeaderSize) ++strings;
  }
  EXPECT_EQ(strings, 2u) << machine;
}

TEST(BuiltImage, TheLinkerLinksTheBuildersX64Image) { LinkBuiltImage<X64Image>("amd64"); }

TEST(BuiltImage, TheLinkerLinksTheBuildersIa32Image) { LinkBuiltImage<Ia32Image>("i386"); }

}  // namespace
}  // namespace ql

#endif
