// What the runtime executable carries besides its code: the icon of its
// windows (102, three sizes) and its version.
#if defined(_WIN32)

#include <windows.h>

#include <gtest/gtest.h>
#include <string.h>

#include <string>

namespace ql {
namespace {

class RuntimeExecutable : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA((std::string("Z:") + QL_RUNTIME_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  std::string Resource(LPCSTR type, int id) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    if (!found) return "";
    HGLOBAL loaded = LoadResource(module_, found);
    return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

#pragma pack(push, 2)
struct IconGroupHeader {
  WORD reserved, type, count;
};
struct IconGroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
#pragma pack(pop)

TEST_F(RuntimeExecutable, CarriesIcon102At16_32And48Pixels) {
  const std::string group = Resource(reinterpret_cast<LPCSTR>(RT_GROUP_ICON), 102);
  ASSERT_GE(group.size(), sizeof(IconGroupHeader));
  IconGroupHeader header;
  memcpy(&header, group.data(), sizeof header);
  ASSERT_EQ(header.count, 3);
  ASSERT_EQ(group.size(), sizeof header + 3 * sizeof(IconGroupEntry));
  const int sizes[] = {16, 32, 48};
  for (int i = 0; i < 3; ++i) {
    IconGroupEntry entry;
    memcpy(&entry, group.data() + sizeof header + i * sizeof entry, sizeof entry);
    EXPECT_EQ(entry.width, sizes[i]);
    EXPECT_EQ(entry.height, sizes[i]);
    EXPECT_EQ(entry.bitCount, 32);
    // The image itself is there and loads as an icon.
    const std::string image = Resource(reinterpret_cast<LPCSTR>(RT_ICON), entry.id);
    ASSERT_EQ(image.size(), entry.bytes);
    HICON icon = CreateIconFromResourceEx(reinterpret_cast<PBYTE>(const_cast<char*>(image.data())), entry.bytes,
                                          TRUE, 0x00030000, sizes[i], sizes[i], LR_DEFAULTCOLOR);
    EXPECT_NE(icon, nullptr) << sizes[i];
    if (icon) DestroyIcon(icon);
  }
}

TEST_F(RuntimeExecutable, CarriesTheProductNameAndTheProjectsVersion) {
  const std::string version = Resource(reinterpret_cast<LPCSTR>(RT_VERSION), 1);
  ASSERT_FALSE(version.empty());
  const DWORD signature = 0xFEEF04BD;
  const size_t at = version.find(std::string(reinterpret_cast<const char*>(&signature), 4));
  ASSERT_NE(at, std::string::npos);
  VS_FIXEDFILEINFO info;
  ASSERT_LE(at + sizeof info, version.size());
  memcpy(&info, version.data() + at, sizeof info);
  EXPECT_EQ(info.dwFileVersionMS, static_cast<DWORD>(QL_VERSION_MAJOR << 16 | QL_VERSION_MINOR));
  EXPECT_EQ(info.dwFileVersionLS, static_cast<DWORD>(QL_VERSION_PATCH << 16));
  const std::u16string product = u"Quillon Runtime";
  EXPECT_NE(version.find(std::string(reinterpret_cast<const char*>(product.data()), product.size() * 2)),
            std::string::npos);
}

}  // namespace
}  // namespace ql

#endif
