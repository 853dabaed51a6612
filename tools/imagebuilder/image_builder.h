// The builder's whole run: read the objects, the manifest and the entry-point
// declarations, link, and write the requested outputs. Nothing is written
// while any error exists.
#pragma once

#include <string>
#include <vector>

#include "diagnostics.h"
#include "image.h"

namespace qlimage {

struct BuildRequest {
  std::vector<std::string> objects;
  std::string manifest;     // empty: the defaults (entry QuillonMain, nothing else)
  std::string entryPoints;  // header or folder declaring the QL_ENTRY functions
  std::string devDir;       // write the development files here, when set
  std::string appendTo;     // runtime executable to copy ...
  std::string output;       // ... to this file with the image appended
};

// Builds the image in memory (also used by the tests).
bool BuildImage(const BuildRequest& request, Image& image, Diagnostics& diagnostics);

// BuildImage, then the outputs.
bool RunBuild(const BuildRequest& request, Diagnostics& diagnostics);

// Command line of quillon-image; returns the process exit code. Messages go
// to standard error, the dump to standard output.
int RunCommandLine(const std::vector<std::string>& arguments);

}  // namespace qlimage
