// What the fuzz entry points share: reports answered without a dialog, a
// reader that takes an input apart into the values an entry point needs,
// and the checks an entry point makes on what the code under test did.
#pragma once

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "core/allocator.h"
#include "core/assertion.h"
#include "core/string.h"

namespace ql::fuzz {

// Damaged input is reported (unknown option keys, truncated property data):
// answered OK without a word, as a user who continues would.
inline void QuietReports() {
  SetAssertionObserver([](const AssertionReport&) { return platform::DialogChoice::Ok; });
}

// Stops the run with a finding when `ok` is false: libFuzzer keeps the input.
inline void Require(bool ok, const char* what) {
  if (ok) return;
  fprintf(stderr, "fuzz check failed: %s\n", what);
  abort();
}

// Small blocks come from chunks that the leak checker never sees freed, so
// the allocator's count of bytes in use is what shows a lost reference. The
// one-entry conversion cache keeps its last source and result: both counts
// are taken with the same conversion in it.
class AllocationBalance {
 public:
  AllocationBalance() : before_(BytesInUse()) {}
  void Check(const char* what) const {
    const size_t after = BytesInUse();
    if (after == before_) return;
    fprintf(stderr, "fuzz check failed: %s: %zu bytes in use before, %zu after\n", what, before_, after);
    abort();
  }

 private:
  static size_t BytesInUse() {
    static const String kept = NewStringFromCText("0");
    ConvertToUTF8(kept.get());
    return AllocatedBytes();
  }
  size_t before_;
};

// Takes an input apart from the front; past its end every value is 0 and
// every text empty, so any input gives a complete set of values.
class InputReader {
 public:
  InputReader(const uint8_t* data, size_t size) : p_(data), left_(size) {}

  size_t left() const { return left_; }
  const uint8_t* rest() const { return p_; }

  uint8_t Byte() {
    if (left_ == 0) return 0;
    --left_;
    return *p_++;
  }
  uint16_t Word16() {
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
  }
  uint32_t Word32() {
    const uint32_t low = Word16();
    return low | static_cast<uint32_t>(Word16()) << 16;
  }
  // A length byte (at most `limit`), then that many bytes.
  std::string Text(size_t limit = 255) {
    const size_t n = Byte() % (limit + 1);
    return Bytes(n);
  }
  std::string Bytes(size_t n) {
    n = n < left_ ? n : left_;
    std::string out(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    left_ -= n;
    return out;
  }

 private:
  const uint8_t* p_;
  size_t left_;
};

}  // namespace ql::fuzz
