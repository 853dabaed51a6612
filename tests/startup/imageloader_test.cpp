#include "startup/imageloader.h"

#include <gtest/gtest.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/allocator.h"
#include "platform/message_box.h"
#include "quillon/entrypoints/exceptions.h"
#include "quillon/entrypoints/objects.h"
#include "quillon/entrypoints/startup.h"
#include "startup/exitcleanup.h"
#include "startup/fake_image_files.h"
#include "startup/imagememory.h"
#include "startup/imageoptions.h"
#include "startup/imageresources.h"
#include "startup/link_fakes.h"
#include "startup/resourcemanager.h"
#include "startup/synthetic_image.h"
#include "support/allocation_failure.h"
#include "support/assertion_recorder.h"

// These images are x64 machine code, entered for real.
#if defined(__x86_64__)

namespace ql {
namespace {

using test::Bytes;

int g_marks = 0;
std::string g_taken;
std::vector<std::string> g_messages;
std::vector<std::string> g_cleaned;

extern "C" void Mark() { ++g_marks; }
extern "C" void TakeString(RuntimeString* s) { g_taken.assign(s->text + 1, static_cast<size_t>(s->length)); }

class Cleanup final : public ExitCleanup {
 public:
  ~Cleanup() override { g_cleaned.push_back(g_marks > 0 ? "after the entry" : "before the entry"); }
};
extern "C" void RegisterCleanup() { new Cleanup; }

// What the image's entry sees of its resources.
size_t g_resourcesAtEntry = 0;
extern "C" void CountResources() { g_resourcesAtEntry = CurrentResources().Count(); }

void RecordMessage(const char* text) { g_messages.push_back(text); }

uint64_t Address(void (*f)()) { return reinterpret_cast<uintptr_t>(f); }

// sub rsp, 40; call [rip+slot]; add rsp, 40; ret; the slot at 16.
Bytes CallThroughSlot() {
  return {0x48, 0x83, 0xEC, 0x28, 0xFF, 0x15, 0x06, 0x00, 0x00, 0x00, 0x48, 0x83,
          0xC4, 0x28, 0xC3, 0xCC, 0, 0, 0, 0, 0, 0, 0, 0};
}
constexpr uint32_t kSlot = 16;

// Passes the static string at data offset 0 (in both first-argument
// registers) to the entry in the slot at 32.
Bytes PassStaticString() {
  Bytes code = {0x48, 0x83, 0xEC, 0x28, 0x48, 0xB9, 0, 0, 0, 0, 0, 0, 0, 0, 0x48, 0x89, 0xCF,
                0xFF, 0x15, 0x09, 0x00, 0x00, 0x00, 0x48, 0x83, 0xC4, 0x28, 0xC3, 0xCC, 0xCC, 0xCC, 0xCC};
  code.resize(40, 0);
  return code;
}

class ImageLoader : public testing::Test {
 protected:
  void SetUp() override {
    g_marks = 0;
    g_taken.clear();
    g_messages.clear();
    g_cleaned.clear();
    previous_ = platform::SetMessageBoxObserver(RecordMessage);
  }
  void TearDown() override { platform::SetMessageBoxObserver(previous_); }

  void Files(const Bytes& code, const Bytes& imports, const Bytes& data = {}, const Bytes& options = {}) {
    files.DevelopmentFiles(code, data, imports, {}, options);
  }
  ImageOutcome Run() { return LoadAndRunImage(ImageServices{&files, &entries, &libraries}); }

  test::FakeImageFiles files;
  test::FakeEntries entries{{{"Mark", Address(Mark)},
                             {"TakeString", reinterpret_cast<uintptr_t>(TakeString)},
                             {"RegisterCleanup", Address(RegisterCleanup)},
                             {"CountResources", Address(CountResources)}}};
  test::FakeLibraryLoader loader;
  LibraryImports libraries{loader};

 private:
  platform::MessageBoxObserver previous_ = nullptr;
};

TEST_F(ImageLoader, RunsAnImageThatOnlyReturns) {
  Files({0xC3}, {}, {}, {0x00, 0, 0, 0, 0});
  EXPECT_EQ(Run(), ImageOutcome::Ran);
  ASSERT_NE(CurrentImage(), nullptr);
  EXPECT_EQ(CurrentImage()->code[0], 0xC3);
  EXPECT_TRUE(CurrentImageOptions().mdi);
}

TEST_F(ImageLoader, TheEnteredImageCallsItsLinkedEntryPoints) {
  Files(CallThroughSlot(), test::Imports().Entry(0, kSlot, "Mark").bytes());
  EXPECT_EQ(Run(), ImageOutcome::Ran);
  EXPECT_EQ(g_marks, 1);
}

TEST_F(ImageLoader, LinkNamesFindTheRegistrysEntryPointsWithoutRegardToCase) {
  Files(CallThroughSlot(), test::Imports().Entry(0, kSlot, "runtimeEXIT").bytes());
  ImageServices services = ProcessImageServices();
  services.files = &files;
  EXPECT_EQ(LoadAndRunImage(services), ImageOutcome::Ran);
  uint64_t slot;
  memcpy(&slot, CurrentImage()->code + kSlot, 8);
  EXPECT_EQ(slot, reinterpret_cast<uintptr_t>(&RuntimeExit));
}

TEST_F(ImageLoader, StaticStringsReachTheCodeWithTheirTextPointerSet) {
  Bytes data;
  test::PutStaticString(data, 0, "Titrix", 32, 8, 20);
  test::Imports imports;
  imports.Site(0x05, 6).Entry(0, 32, "TakeString");
  Files(PassStaticString(), imports.bytes(), data);
  EXPECT_EQ(Run(), ImageOutcome::Ran);
  EXPECT_EQ(g_taken, "Titrix");
  // The data lies at code base + align16(code length).
  EXPECT_EQ(CurrentImage()->data, CurrentImage()->code + 48);
}

TEST_F(ImageLoader, TheExitCleanupListIsEmptiedAfterTheEntryReturns) {
  // RegisterCleanup, then Mark: the cleanup object exists before the mark.
  Bytes code = {0x48, 0x83, 0xEC, 0x28, 0xFF, 0x15, 0x0E, 0x00, 0x00, 0x00, 0xFF, 0x15, 0x10, 0x00, 0x00, 0x00,
                0x48, 0x83, 0xC4, 0x28, 0xC3, 0xCC, 0xCC, 0xCC};
  code.resize(40, 0);  // slots at 24 (RegisterCleanup) and 32 (Mark)
  Files(code, test::Imports().Entry(0, 24, "RegisterCleanup").Entry(0, 32, "Mark").bytes());
  EXPECT_EQ(Run(), ImageOutcome::Ran);
  EXPECT_EQ(g_cleaned, (std::vector<std::string>{"after the entry"}));
  EXPECT_TRUE(ExitCleanupIsEmpty());
}

TEST_F(ImageLoader, ADamagedOrMissingImageIsReportedAndNeverEntered) {
  struct Case {
    const char* what;
    const char* missing;  // development file to take away, or null
    Bytes imports;
    const char* message;
  };
  const Bytes whole = test::Imports().Entry(0, kSlot, "Mark").bytes();
  const Bytes truncated(whole.begin(), whole.begin() + 5);
  const Case cases[] = {
      {"code.dat missing", "code.dat", test::Imports().Entry(0, kSlot, "Mark").bytes(),
       "The application image cannot be loaded: the file \"code.dat\" could not be opened in the current folder."},
      {"import.dat truncated", nullptr, truncated,
       "The application image cannot be loaded: the import record at offset 0 (kind 0x01) runs past the end of "
       "the import section."},
      {"site past the code", nullptr, test::Imports().Entry(0, kSlot, "Mark").Site(0x03, 20).bytes(),
       "The application image cannot be loaded: the import record at offset 12 names the site 20, outside the "
       "code section (24 bytes)."},
  };
  for (const Case& c : cases) {
    Files(CallThroughSlot(), c.imports);
    if (c.missing) files.folder.erase(c.missing);
    test::AssertionRecorder recorder;
    EXPECT_EQ(Run(), ImageOutcome::NotLoaded) << c.what;
    EXPECT_EQ(g_marks, 0) << c.what;
    ASSERT_EQ(recorder.count(), 1u) << c.what;
    EXPECT_EQ(recorder.reports()[0].source, "loaderX86");
    EXPECT_EQ(recorder.reports()[0].line, 530);
    EXPECT_EQ(recorder.reports()[0].condition, "0");
    EXPECT_EQ(recorder.reports()[0].message, c.message) << c.what;
  }
}

TEST_F(ImageLoader, AResourceRecordRunningPastItsSectionIsReportedAndTheImageNeverEntered) {
  Bytes rsrc = test::Resources().Add(0x54455854, 1, {'a', 'b'}).bytes();
  rsrc.pop_back();
  files.DevelopmentFiles(CallThroughSlot(), {}, test::Imports().Entry(0, kSlot, "Mark").bytes(), rsrc, {});
  test::AssertionRecorder recorder;
  EXPECT_EQ(Run(), ImageOutcome::NotLoaded);
  EXPECT_EQ(g_marks, 0);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].line, 530);
  EXPECT_EQ(recorder.reports()[0].message,
            "The application image cannot be loaded: the resource record at rsrc offset 0 runs past the end of the "
            "section (2 bytes of data).");
}

TEST_F(ImageLoader, TheResourcesAreIndexedBeforeTheImageIsEntered) {
  const Bytes rsrc = test::Resources().Add(0x54455854, 1, {'a'}).Add(0x54455854, 2, {}).bytes();
  files.DevelopmentFiles(CallThroughSlot(), {}, test::Imports().Entry(0, kSlot, "CountResources").bytes(), rsrc, {});
  g_resourcesAtEntry = 0;
  EXPECT_EQ(Run(), ImageOutcome::Ran);
  EXPECT_EQ(g_resourcesAtEntry, 2u);
  const ResourceEntry second = CurrentResources().EntryAt(1);
  EXPECT_EQ(second.number, 2);
  EXPECT_EQ(second.data, CurrentResourceSection().bytes.data() + rsrc.size());
  // The next image replaces them.
  files.DevelopmentFiles({0xC3}, {}, {}, {}, {});
  EXPECT_EQ(Run(), ImageOutcome::Ran);
  EXPECT_EQ(CurrentResources().Count(), 0u);
}

TEST_F(ImageLoader, AnEmptyCodeSectionIsNeverEntered) {
  Files({}, {});
  test::AssertionRecorder recorder;
  EXPECT_EQ(Run(), ImageOutcome::NotLoaded);
  ASSERT_EQ(recorder.count(), 1u);
  EXPECT_EQ(recorder.reports()[0].message, "The application image cannot be loaded: the code section is empty.");
}

TEST_F(ImageLoader, AMissingLibraryShowsItsMessageAndTheImageIsNeverEntered) {
  test::Imports imports;
  imports.Entry(0, kSlot, "Mark").Win32(0, "Sleep", "absent.dll");
  Files(CallThroughSlot(), imports.bytes());
  EXPECT_EQ(Run(), ImageOutcome::LinkFailed);
  EXPECT_EQ(g_marks, 0);
  EXPECT_EQ(g_messages, (std::vector<std::string>{"The application could not be loaded because a necessary shared "
                                                  "library absent.dll could not be found."}));
}

TEST_F(ImageLoader, DamagedOptionsAreReportedAndTheImageIsNeverEntered) {
  Files(CallThroughSlot(), test::Imports().Entry(0, kSlot, "Mark").bytes(), {}, {0x00, 5, 0, 0});
  test::AssertionRecorder recorder;
  EXPECT_EQ(Run(), ImageOutcome::NotLoaded);
  EXPECT_EQ(g_marks, 0);
  EXPECT_EQ(recorder.count(), 1u);
}

// Memory running out at any request of reading, options, resources, linking
// or placing: the load is refused with one report, the image is never
// entered, and nothing the load took is left behind; or the request had
// another way and the image runs complete.
TEST_F(ImageLoader, MemoryRunningOutAtAnyRequestRefusesTheLoadCleanly) {
  const Bytes code = CallThroughSlot();
  const Bytes imports = test::Imports().Entry(0, kSlot, "Mark").bytes();
  const Bytes data(300, 0x11);  // a block of the general heap
  const Bytes rsrc = test::Resources().Add(0x54455854, 1, {'a'}).Add(0x54455854, 2, {'b', 'c'}).bytes();
  const Bytes options = {0x00, 6, 0, 0, 0, 'T', 'i', 't', 'r', 'i', 'x', 0x00, 0x01, 0x00, 0x08};
  for (const bool appended : {false, true}) {
    size_t n = 1;
    for (;; ++n) {
      if (appended) {
        files.Append(test::AppendedBlock(code, data, imports, rsrc, options));
      } else {
        files.DevelopmentFiles(code, data, imports, rsrc, options);
      }
      g_marks = 0;
      CurrentImageOptions() = ImageOptions{};
      const size_t before = AllocatedBytes();
      test::AssertionRecorder recorder;
      test::AllocationFailure failure(test::Requests::Refusable, n);
      const ImageOutcome outcome = Run();
      if (!failure.happened()) {
        EXPECT_EQ(outcome, ImageOutcome::Ran) << "with every request served";
        EXPECT_EQ(g_marks, 1);
        EXPECT_STREQ(CurrentImageOptions().mdiTitle.text(), "Titrix");
        break;
      }
      if (outcome == ImageOutcome::Ran) {
        // A string record has a second way to its memory: nothing may be missing then.
        EXPECT_EQ(g_marks, 1) << "request " << n;
        EXPECT_STREQ(CurrentImageOptions().mdiTitle.text(), "Titrix") << "request " << n;
        EXPECT_EQ(recorder.count(), 0u) << "request " << n;
        continue;
      }
      EXPECT_EQ(outcome, ImageOutcome::NotLoaded) << "request " << n << (appended ? ", appended" : "");
      EXPECT_EQ(g_marks, 0) << "request " << n;
      ASSERT_EQ(recorder.count(), 1u) << "request " << n;
      EXPECT_EQ(recorder.reports()[0].line, 530) << "request " << n;
      EXPECT_EQ(AllocatedBytes(), before) << "request " << n << " left blocks behind";
    }
    EXPECT_GE(n, 7u) << "five sections, the title and the executable memory";
  }
}

#if GTEST_HAS_DEATH_TEST && !defined(_WIN32)
using ImageLoaderDeathTest = ImageLoader;

// The requests that must succeed (the index and the linker's plans): one
// that fails is reported and ends the process before the image is entered.
TEST_F(ImageLoaderDeathTest, AMustSucceedRequestRunningOutEndsTheProcessBeforeTheEntry) {
  const Bytes rsrc = test::Resources().Add(0x54455854, 1, {'a'}).bytes();
  files.DevelopmentFiles(CallThroughSlot(), {}, test::Imports().Entry(0, kSlot, "Mark").bytes(), rsrc, {});
  ASSERT_EQ(Run(), ImageOutcome::Ran);  // what a first load sets up for the process is there
  size_t requests;
  {
    test::AllocationFailure counting(test::Requests::EndingTheProcess, SIZE_MAX);
    ASSERT_EQ(Run(), ImageOutcome::Ran);
    requests = counting.requests();
  }
  ASSERT_GT(requests, 0u);
  for (size_t n = 1; n <= requests; ++n) {
    EXPECT_EXIT(
        {
          SetAssertionObserver(nullptr);  // the report on standard error
          test::AllocationFailure failure(test::Requests::EndingTheProcess, n);
          Run();
          fprintf(stderr, g_marks ? "entered\n" : "not entered\n");
        },
        testing::ExitedWithCode(0), "utility: 839\nFailure Condition: 0\n\n$")
        << "request " << n;
  }
}
#endif

#if defined(_WIN32)
// The stand-ins follow the Win64 calling convention.
TEST_F(ImageLoader, ACallToAMissingEntryPointReportsItRaisesNilObjectExceptionAndReturnsZero) {
  // sub rsp, 40; call [rip+slot]; mov [rip+result], rax; add rsp, 40; ret;
  // the slot at 24, the result at 32.
  Bytes code = {0x48, 0x83, 0xEC, 0x28, 0xFF, 0x15, 0x0E, 0x00, 0x00, 0x00, 0x48, 0x89,
                0x05, 0x0F, 0x00, 0x00, 0x00, 0x48, 0x83, 0xC4, 0x28, 0xC3, 0xCC, 0xCC};
  code.resize(40, 0xFF);
  test::Put64(code, 24, 0);
  Files(code, test::Imports().Entry(0, 24, "NoSuchEntry").bytes());
  test::AssertionRecorder recorder;
  RuntimeObject* caught = nullptr;
  RuntimeHandlerFrame frame;
  RuntimePushHandlerFrame(&frame, &caught);
  const ImageOutcome outcome = Run();
  EXPECT_TRUE(RuntimePopHandlerFrame(&frame));
  EXPECT_EQ(outcome, ImageOutcome::Ran);

  uint64_t result;
  memcpy(&result, CurrentImage()->code + 32, 8);
  EXPECT_EQ(result, 0u);
  ASSERT_EQ(recorder.count(), 2u);  // when linking, and when called
  for (const auto& report : recorder.reports()) {
    EXPECT_EQ(report.line, 204);
    EXPECT_EQ(report.message, "Function 'NoSuchEntry' was not exported");
  }
  ASSERT_NE(caught, nullptr);
  EXPECT_STREQ(StringText(caught->cls->name), "NilObjectException");
  RuntimeUnlockObject(caught);
}
#endif

}  // namespace
}  // namespace ql

#endif
