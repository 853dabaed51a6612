#include "startup/imagelinker.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "startup/link_fakes.h"
#include "startup/synthetic_image.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {

using test::Bytes;
using test::Get32;
using test::GetWord;
using test::Imports;
using test::PutWord;
using test::Thread;

ByteView View(const Bytes& b) { return ByteView{b.data(), b.size()}; }

constexpr uint64_t kCodeBase = 0x00400000;
constexpr uint64_t kDataBase = 0x00500000;
constexpr uint64_t kThunkBase = 0x00600000;
constexpr uint64_t kMissingRoutine = 0x00700000;

// One link of a synthetic image at fixed fake addresses.
template <class Target>
struct LinkRun {
  static constexpr size_t W = Target::kWordSize;

  Bytes code = Bytes(128, 0xAB);
  Bytes data;
  Imports imports;
  test::FakeEntries entries;
  test::FakeLibraryLoader loader;
  LibraryImports libraries{loader};
  LinkAddresses at{kCodeBase, kDataBase, kThunkBase, kMissingRoutine};
  Bytes thunks;
  LoadFailure failure;
  LinkMessage message;
  ImageLinker<Target> linker;

  bool Plan() { return linker.Plan(View(code), View(data), View(imports.bytes()), &failure); }
  bool Resolve() { return linker.Resolve(entries, libraries, &message); }
  bool Apply() {
    thunks.assign(linker.ThunkAreaSize(), 0);
    return linker.Apply(code.data(), data.data(), thunks.data(), at, &failure);
  }
  bool Link() { return Plan() && Resolve() && Apply(); }

  static uint32_t Displacement(uint64_t target, uint32_t site) {
    return static_cast<uint32_t>(target - (kCodeBase + site + 4));
  }
};

template <class Target>
class Linker : public testing::Test {};
using Targets = testing::Types<Ia32Image, X64Image>;
TYPED_TEST_SUITE(Linker, Targets);

TYPED_TEST(Linker, EntryImportsWriteEverySiteOfTheirChain) {
  LinkRun<TypeParam> run;
  constexpr size_t W = LinkRun<TypeParam>::W;
  const std::vector<uint32_t> absolute = {16, 32, 48};
  const std::vector<uint32_t> relative = {4, 60, 88};
  run.imports.Entry(0, Thread(run.code, absolute, W), "Alpha").Entry(1, Thread(run.code, relative, 4), "Beta");
  run.entries = test::FakeEntries({{"Alpha", 0x00801000}, {"Beta", 0x00802000}});
  ASSERT_TRUE(run.Link()) << run.failure.message();
  for (uint32_t site : absolute) EXPECT_EQ(GetWord(run.code, site, W), 0x00801000u) << site;
  for (uint32_t site : relative) EXPECT_EQ(Get32(run.code, site), run.Displacement(0x00802000, site)) << site;
  // Bytes no record names are left alone.
  EXPECT_EQ(run.code[0], 0xAB);
  EXPECT_EQ(run.code[127], 0xAB);
  EXPECT_EQ(run.entries.asked, (std::vector<std::string>{"Alpha", "Beta"}));
}

TYPED_TEST(Linker, WordRelocationsAddTheBaseToTheWordsValue) {
  LinkRun<TypeParam> run;
  constexpr size_t W = LinkRun<TypeParam>::W;
  PutWord(run.code, 8, W, 0x10);
  PutWord(run.code, 24, W, 0x20);
  run.imports.Site(0x02, 8).Site(0x03, 24);
  ASSERT_TRUE(run.Link()) << run.failure.message();
  EXPECT_EQ(GetWord(run.code, 8, W), kDataBase + 0x10);
  EXPECT_EQ(GetWord(run.code, 24, W), kCodeBase + 0x20);
}

TYPED_TEST(Linker, StaticStringRecordsAreRelocatedAndTheirTextPointerSetOnce) {
  using T = TypeParam;
  LinkRun<T> run;
  constexpr size_t W = LinkRun<T>::W;
  run.data.assign(16, 0);
  test::PutStaticString(run.data, 16, "Solutions", T::kStringHeaderSize, T::kStringTextOffset, T::kStringLengthOffset);
  const size_t second = run.data.size() + (8 - run.data.size() % 8);
  test::PutStaticString(run.data, second, "mol", T::kStringHeaderSize, T::kStringTextOffset, T::kStringLengthOffset);
  PutWord(run.data, second + T::kStringTextOffset, W, 0x1234);  // already set: left alone
  PutWord(run.code, 8, W, 16);
  PutWord(run.code, 24, W, 16);
  PutWord(run.code, 40, W, second);
  run.imports.Site(0x05, 8).Site(0x05, 24).Site(0x05, 40);
  ASSERT_TRUE(run.Link()) << run.failure.message();
  EXPECT_EQ(GetWord(run.code, 8, W), kDataBase + 16);
  EXPECT_EQ(GetWord(run.code, 24, W), kDataBase + 16);
  EXPECT_EQ(GetWord(run.code, 40, W), kDataBase + second);
  EXPECT_EQ(GetWord(run.data, 16 + T::kStringTextOffset, W), kDataBase + 16 + T::kStringHeaderSize);
  EXPECT_EQ(GetWord(run.data, second + T::kStringTextOffset, W), 0x1234u);
}

TYPED_TEST(Linker, UnknownKindsCostExactlyOneByte) {
  LinkRun<TypeParam> run;
  constexpr size_t W = LinkRun<TypeParam>::W;
  PutWord(run.code, 8, W, 0);
  // 0x03 after the unknown 0x06 is read as a kind: it must apply to site 8.
  run.imports.Raw({0x00, 0x06, 0xFF}).Site(0x03, 8).Raw({0x09});
  ASSERT_TRUE(run.Link()) << run.failure.message();
  EXPECT_EQ(GetWord(run.code, 8, W), kCodeBase);
}

TYPED_TEST(Linker, AChainHeadOfZeroIsLookedUpAndReportedButWritesNothing) {
  LinkRun<TypeParam> run;
  const Bytes before = run.code;
  run.imports.Entry(0, 0, "Known").Entry(1, 0, "Unknown");
  run.entries = test::FakeEntries({{"Known", 0x00801000}});
  test::AssertionRecorder recorder;
  ASSERT_TRUE(run.Link()) << run.failure.message();
  EXPECT_EQ(run.code, before);
  EXPECT_EQ(run.entries.asked, (std::vector<std::string>{"Known", "Unknown"}));
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].message, "Function 'Unknown' was not exported");
}

// The stand-in a target writes for a missing entry point.
template <class Target>
Bytes ExpectedThunk(uint64_t nameAddress) {
  Bytes b;
  auto put = [&b](uint64_t v, int n) {
    for (int i = 0; i < n; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  if constexpr (Target::kWordSize == 4) {
    b = {0x68};
    put(nameAddress, 4);
    b.push_back(0xB8);
    put(kMissingRoutine, 4);
    b.insert(b.end(), {0xFF, 0xD0, 0x83, 0xC4, 0x04, 0xC3});
  } else {
    b = {0x48, 0x83, 0xEC, 0x28, 0x48, 0xB9};
    put(nameAddress, 8);
    b.insert(b.end(), {0x48, 0xB8});
    put(kMissingRoutine, 8);
    b.insert(b.end(), {0xFF, 0xD0, 0x66, 0x0F, 0xEF, 0xC0, 0x48, 0x83, 0xC4, 0x28, 0xC3});
  }
  b.resize(Target::kThunkSize, 0xCC);
  return b;
}

TYPED_TEST(Linker, MissingEntryPointsAreReportedAndTheirSitesReachAStandIn) {
  using T = TypeParam;
  LinkRun<T> run;
  constexpr size_t W = LinkRun<T>::W;
  run.imports.Entry(0, Thread(run.code, {16, 32}, W), "Gone")
      .Entry(1, Thread(run.code, {4, 60}, 4), "AlsoGone")
      .Entry(0, Thread(run.code, {72}, W), "Here");
  run.entries = test::FakeEntries({{"Here", 0x00801000}});
  test::AssertionRecorder recorder;
  ASSERT_TRUE(run.Link()) << run.failure.message();

  ASSERT_EQ(recorder.count(), 2u);
  for (const auto& [i, name] : std::vector<std::pair<int, std::string>>{{0, "Gone"}, {1, "AlsoGone"}}) {
    EXPECT_EQ(recorder.reports()[i].source, "loaderX86");
    EXPECT_EQ(recorder.reports()[i].line, 204);
    EXPECT_EQ(recorder.reports()[i].condition, "foundFunction");
    EXPECT_EQ(recorder.reports()[i].message, "Function '" + name + "' was not exported");
  }
  const size_t first = 0;
  const size_t second = AlignUp(T::kThunkSize + 4 + 1, 16);
  EXPECT_EQ(run.linker.MissingCount(), 2u);
  ASSERT_EQ(run.thunks.size(), second + AlignUp(T::kThunkSize + 8 + 1, 16));
  EXPECT_EQ(GetWord(run.code, 16, W), kThunkBase + first);
  EXPECT_EQ(GetWord(run.code, 32, W), kThunkBase + first);
  EXPECT_EQ(Get32(run.code, 4), run.Displacement(kThunkBase + second, 4));
  EXPECT_EQ(Get32(run.code, 60), run.Displacement(kThunkBase + second, 60));
  EXPECT_EQ(GetWord(run.code, 72, W), 0x00801000u);

  const Bytes thunk(run.thunks.begin() + second, run.thunks.begin() + second + T::kThunkSize);
  EXPECT_EQ(thunk, ExpectedThunk<T>(kThunkBase + second + T::kThunkSize));
  EXPECT_STREQ(reinterpret_cast<const char*>(run.thunks.data() + first + T::kThunkSize), "Gone");
  EXPECT_STREQ(reinterpret_cast<const char*>(run.thunks.data() + second + T::kThunkSize), "AlsoGone");
}

TYPED_TEST(Linker, Win32RoutinesComeFromLibrariesLoadedOnceWhateverTheCase) {
  using T = TypeParam;
  LinkRun<T> run;
  constexpr size_t site = T::kWin32SitesAreRelative ? 4 : T::kWordSize;
  run.loader.libraries = {{"KERNEL32.DLL", 0x7000}};
  run.loader.routines = {{{0x7000, "WriteFile"}, 0x00901000}, {{0x7000, "GetStdHandle"}, 0x00902000}};
  run.imports.Win32(Thread(run.code, {8, 40}, site), "WriteFile", "KERNEL32.DLL")
      .Win32(Thread(run.code, {24}, site), "GetStdHandle", "kernel32.dll");
  ASSERT_TRUE(run.Link()) << run.failure.message();
  EXPECT_EQ(run.loader.loads, (std::vector<std::string>{"KERNEL32.DLL"}));
  if constexpr (T::kWin32SitesAreRelative) {
    EXPECT_EQ(Get32(run.code, 8), run.Displacement(0x00901000, 8));
    EXPECT_EQ(Get32(run.code, 40), run.Displacement(0x00901000, 40));
    EXPECT_EQ(Get32(run.code, 24), run.Displacement(0x00902000, 24));
  } else {
    EXPECT_EQ(GetWord(run.code, 8, 8), 0x00901000u);
    EXPECT_EQ(GetWord(run.code, 40, 8), 0x00901000u);
    EXPECT_EQ(GetWord(run.code, 24, 8), 0x00902000u);
  }
}

TYPED_TEST(Linker, AMissingLibraryOrRoutineEndsTheLinkWithItsMessage) {
  struct Case {
    const char* routine;
    const char* library;
    const char* message;
  };
  const Case cases[] = {
      {"Sleep", "nosuch.dll",
       "The application could not be loaded because a necessary shared library nosuch.dll could not be found."},
      {"NoSuchRoutine", "kernel32.dll",
       "The application could not be loaded because the routine NoSuchRoutine could not be found in the shared "
       "library kernel32.dll."},
  };
  for (const Case& c : cases) {
    LinkRun<TypeParam> run;
    run.loader.libraries = {{"kernel32.dll", 0x7000}};
    run.imports.Win32(0, c.routine, c.library).Entry(0, 0, "NeverLookedUp");
    ASSERT_TRUE(run.Plan());
    EXPECT_FALSE(run.Resolve());
    EXPECT_STREQ(run.message.text, c.message);
    // Records after the failure are not resolved (and so not reported).
    EXPECT_TRUE(run.entries.asked.empty());
  }
}

TYPED_TEST(Linker, DamagedImportSectionsFailThePlan) {
  using T = TypeParam;
  constexpr size_t W = T::kWordSize;
  struct Case {
    std::string what;
    std::function<void(LinkRun<T>&)> build;
    std::string message;  // a part of the first problem's text
  };
  std::vector<Case> cases = {
      {"word past the end", [](LinkRun<T>& r) { r.imports.Site(0x02, 128 - W + 1); }, "outside the code section"},
      {"site far outside", [](LinkRun<T>& r) { r.imports.Site(0x03, 0xFFFFFFFF); }, "outside the code section"},
      {"chain leaving the code",
       [](LinkRun<T>& r) {
         r.imports.Entry(0, Thread(r.code, {8, 16}, W), "A");
         PutWord(r.code, 16, W, 200);
       },
       "leaves the code section"},
      {"chain head outside", [](LinkRun<T>& r) { r.imports.Entry(1, 126, "A"); }, "leaves the code section"},
      {"chain loop",
       [](LinkRun<T>& r) {
         PutWord(r.code, 8, W, 24);
         PutWord(r.code, 24, W, 8);
         r.imports.Entry(0, 8, "A");
       },
       "visits more sites"},
      {"chain on itself",
       [](LinkRun<T>& r) {
         test::Put32(r.code, 12, 12);
         r.imports.Win32(12, "R", "L");
         if (!T::kWin32SitesAreRelative) PutWord(r.code, 12, 8, 12);
       },
       "visits more sites"},
      {"string beyond the data",
       [](LinkRun<T>& r) {
         r.data.assign(64, 0);
         PutWord(r.code, 8, W, 64);
         r.imports.Site(0x05, 8);
       },
       "lies outside the data section"},
      {"string text beyond the data",
       [](LinkRun<T>& r) {
         test::PutStaticString(r.data, 0, "abc", T::kStringHeaderSize, T::kStringTextOffset, T::kStringLengthOffset);
         test::Put32(r.data, T::kStringLengthOffset, 100);
         PutWord(r.code, 8, W, 0);
         r.imports.Site(0x05, 8);
       },
       "lies outside the data section"},
      {"string of negative length",
       [](LinkRun<T>& r) {
         test::PutStaticString(r.data, 0, "abc", T::kStringHeaderSize, T::kStringTextOffset, T::kStringLengthOffset);
         test::Put32(r.data, T::kStringLengthOffset, 0xFFFFFFFF);
         PutWord(r.code, 8, W, 0);
         r.imports.Site(0x05, 8);
       },
       "lies outside the data section"},
  };
  // Every record cut short at every byte.
  const Imports whole[] = {Imports().Entry(0, 0, "Abc"), Imports().Site(0x02, 0), Imports().Site(0x03, 0),
                           Imports().Site(0x05, 0), Imports().Win32(0, "R", "Lib")};
  for (const Imports& record : whole) {
    for (size_t cut = 1; cut < record.bytes().size(); ++cut) {
      const Bytes prefix(record.bytes().begin(), record.bytes().begin() + cut);
      cases.push_back({"record of kind " + std::to_string(prefix[0]) + " cut to " + std::to_string(cut),
                       [prefix](LinkRun<T>& r) {
                         r.imports.Site(0x03, 8);
                         for (uint8_t b : prefix) r.imports.Raw({b});
                       },
                       "runs past the end of the import section"});
    }
  }
  for (const Case& c : cases) {
    LinkRun<T> run;
    c.build(run);
    EXPECT_FALSE(run.Plan()) << c.what;
    EXPECT_NE(std::string(run.failure.message()).find(c.message), std::string::npos)
        << c.what << ": " << run.failure.message();
  }
}

TYPED_TEST(Linker, EveryDamagedSiteIsCounted) {
  LinkRun<TypeParam> run;
  run.imports.Site(0x02, 500).Site(0x03, 8).Site(0x03, 600);
  EXPECT_FALSE(run.Plan());
  EXPECT_EQ(run.failure.count(), 2);
  EXPECT_NE(std::string(run.failure.message()).find("site 500"), std::string::npos) << run.failure.message();
}

TEST(X64Linker, ARelativeSiteOutOfReachFailsAndWritesNothing) {
  LinkRun<X64Image> run;
  test::PutWord(run.code, 40, 8, 0x10);
  run.imports.Site(0x03, 40).Entry(1, Thread(run.code, {8}, 4), "Far");
  run.entries = test::FakeEntries({{"Far", kCodeBase + 0x80000000ull + 64}});
  const Bytes planned = run.code;
  ASSERT_TRUE(run.Plan());
  ASSERT_TRUE(run.Resolve());
  EXPECT_FALSE(run.Apply());
  EXPECT_NE(std::string(run.failure.message()).find("Far is out of reach"), std::string::npos)
      << run.failure.message();
  EXPECT_EQ(run.code, planned);
}

TEST(X64Linker, ARelativeSiteJustInReachLinks) {
  LinkRun<X64Image> run;
  run.imports.Entry(1, Thread(run.code, {8}, 4), "Near");
  run.entries = test::FakeEntries({{"Near", kCodeBase + 8 + 4 + 0x7FFFFFFF}});
  ASSERT_TRUE(run.Link()) << run.failure.message();
  EXPECT_EQ(Get32(run.code, 8), 0x7FFFFFFFu);
}

TEST(Ia32Linker, RelativeSitesWrapAroundTheAddressSpace) {
  LinkRun<Ia32Image> run;
  run.imports.Entry(1, Thread(run.code, {8}, 4), "Low").Win32(Thread(run.code, {20}, 4), "R", "L");
  run.entries = test::FakeEntries({{"Low", 0x1000}});
  run.loader.libraries = {{"L", 0x7000}};
  run.loader.routines = {{{0x7000, "R"}, 0xFFFF0000}};
  ASSERT_TRUE(run.Link()) << run.failure.message();
  EXPECT_EQ(Get32(run.code, 8), static_cast<uint32_t>(0x1000 - (kCodeBase + 12)));
  EXPECT_EQ(Get32(run.code, 20), static_cast<uint32_t>(0xFFFF0000 - (kCodeBase + 24)));
}

}  // namespace
}  // namespace ql
