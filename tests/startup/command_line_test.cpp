#include "startup/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ql {
namespace {

std::vector<std::string> Split(const char* line) {
  std::vector<std::string> arguments;
  ForEachCommandLineArgument(line, [&](const CommandLineArgument& a) { arguments.emplace_back(a.text, a.length); });
  return arguments;
}

TEST(CommandLine, SplitsAtSpacesAndGroupsByDoubleQuotes) {
  struct Case {
    const char* line;
    std::vector<std::string> arguments;
  };
  const Case cases[] = {
      {"", {}},
      {"   ", {}},
      {"a.txt", {"a.txt"}},
      {"a.txt \"my file.txt\" b.txt", {"a.txt", "my file.txt", "b.txt"}},
      {"  a   b  ", {"a", "b"}},
      {"\"ends inside quotes", {"ends inside quotes"}},
      {"a \"b c", {"a", "b c"}},
      {"\"\"", {""}},
      {"\"x\"y", {"x", "y"}},     // the closing quote ends the argument
      {"ab\"cd ef", {"ab\"cd", "ef"}},  // a quote inside a plain argument is kept
      {"\"a\" \"b\"", {"a", "b"}},
      {"C:\\Program Files\\x.txt", {"C:\\Program", "Files\\x.txt"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Split(c.line), c.arguments) << "[" << c.line << "]";
}

}  // namespace
}  // namespace ql
