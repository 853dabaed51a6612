// The runtime link names an image may import: every function declared with
// QL_ENTRY in the SDK's entry-point headers. Read from the headers themselves
// so the list can never drift from the declarations.
#pragma once

#include <set>
#include <string>

#include "diagnostics.h"

namespace qlimage {

using EntryNames = std::set<std::string>;

// Adds the names declared in one header's text.
void CollectEntryNames(const std::string& headerText, EntryNames& out);

// `path` is a header or a folder of headers (*.h, not recursive).
bool ReadEntryNames(const std::string& path, EntryNames& out, Diagnostics& diagnostics);

}  // namespace qlimage
