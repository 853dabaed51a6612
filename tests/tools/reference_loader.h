// A reference implementation of the runtime's side of an image, for the
// builder's tests: places code and data in one simulated block at chosen
// addresses, applies the import records as docs/image-format.md states, and
// answers what a word or a jump finally reaches. Runtime entry points and
// Win32 routines get made-up addresses, so the tests can tell where every
// reference of the image ends up.
#pragma once

#include <stdint.h>

#include <map>
#include <string>

#include "bytes.h"
#include "image.h"

namespace qlimage::test {

class ReferenceLoader {
 public:
  explicit ReferenceLoader(const Image& image);
  // Links for the given code base, with real addresses for the names in
  // `addresses` (entry points and routines alike); made-up ones otherwise.
  ReferenceLoader(const Image& image, uint64_t codeBase, std::map<std::string, uint64_t> addresses);

  // Applies the import section; false (with a message) on a malformed one.
  bool Link(std::string& error);

  uint64_t codeBase() const { return codeBase_; }
  uint64_t dataBase() const { return dataBase_; }
  // Made-up addresses of what the image imports.
  static uint64_t EntryAddress(const std::string& linkName);
  static uint64_t RoutineAddress(const std::string& routine);
  // The linked code and data (code base first).
  const Bytes& block() const { return block_; }

  // The word at a code offset after linking.
  uint64_t Word(uint64_t codeOffset) const;
  uint64_t ReadAddress(uint64_t address, unsigned width) const;
  // Where control ends up when jumping to `address`: builder thunks
  // (jmp rel32, jmp [rip+0]) are followed.
  uint64_t FollowJumps(uint64_t address) const;
  // The address a REL32 field at `codeOffset` reaches (`extra`: REL32_n).
  uint64_t DisplacementTarget(uint64_t codeOffset, unsigned extra = 0) const;

 private:
  bool Walk(uint32_t head, unsigned width, bool relative, uint64_t destination, std::string& error);
  void Put(uint64_t offset, unsigned width, uint64_t value);
  uint64_t Get(uint64_t offset, unsigned width) const;

  uint64_t Resolve(const std::string& name, bool routine) const;

  const Image& image_;
  std::map<std::string, uint64_t> addresses_;
  unsigned word_;
  uint64_t codeBase_;
  uint64_t dataBase_;
  Bytes block_;  // code, zero fill, data
};

}  // namespace qlimage::test
