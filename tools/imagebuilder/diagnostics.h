// Messages collected while building or reading an image. Work goes on after
// an error where it can, so one run reports every problem it finds; nothing
// is written while any error exists.
#pragma once

#include <string>
#include <vector>

namespace qlimage {

class Diagnostics {
 public:
  void Error(std::string message) { errors_.push_back(std::move(message)); }
  bool HasErrors() const { return !errors_.empty(); }
  const std::vector<std::string>& Errors() const { return errors_; }
  size_t Count() const { return errors_.size(); }

 private:
  std::vector<std::string> errors_;
};

// A name from an input file, made safe to print: bytes outside printable
// ASCII become \xNN, and very long names are cut.
std::string Printable(const std::string& name);

}  // namespace qlimage
