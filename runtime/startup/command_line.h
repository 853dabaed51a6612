// The documents named on the command line: the raw command line split into
// arguments. From the first byte on, a space is skipped; a double quote
// starts an argument that runs to the next double quote (skipped) or to the
// end; any other byte starts one that runs to the next space or to the end.
#pragma once

#include <stddef.h>

namespace ql {

struct CommandLineArgument {
  const char* text;  // inside the command line; not NUL-terminated
  size_t length;     // 0 for "" (an empty quoted argument)
};

// Calls f(argument) for each argument, in order.
template <class F>
void ForEachCommandLineArgument(const char* line, F&& f) {
  const char* p = line;
  while (*p) {
    if (*p == ' ') {
      ++p;
      continue;
    }
    const bool quoted = *p == '"';
    if (quoted) ++p;
    const char* start = p;
    const char end = quoted ? '"' : ' ';
    while (*p && *p != end) ++p;
    f(CommandLineArgument{start, static_cast<size_t>(p - start)});
    if (quoted && *p == '"') ++p;
  }
}

}  // namespace ql
