// Stand-ins for the registry and the system's libraries in linker tests.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "startup/imagelinker.h"
#include "startup/libraryimports.h"

namespace ql::test {

class FakeEntries final : public EntryPointResolver {
 public:
  explicit FakeEntries(std::map<std::string, uint64_t> rows = {}) : rows_(std::move(rows)) {}
  uint64_t Find(const char* name, size_t length) override {
    asked.emplace_back(name, length);
    auto it = rows_.find(asked.back());
    return it == rows_.end() ? 0 : it->second;
  }
  std::vector<std::string> asked;

 private:
  std::map<std::string, uint64_t> rows_;
};

class FakeLibraryLoader final : public LibraryLoader {
 public:
  // library file name -> handle; (handle, routine) -> address
  std::map<std::string, uint64_t> libraries;
  std::map<std::pair<uint64_t, std::string>, uint64_t> routines;
  std::vector<std::string> loads;

  uint64_t Load(const char* fileName) override {
    loads.push_back(fileName);
    auto it = libraries.find(fileName);
    return it == libraries.end() ? 0 : it->second;
  }
  uint64_t FindRoutine(uint64_t library, const char* routineName) override {
    auto it = routines.find({library, routineName});
    return it == routines.end() ? 0 : it->second;
  }
};

}  // namespace ql::test
