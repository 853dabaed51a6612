// The image manifest: what the objects cannot say themselves (the entry
// function, the Win32 routines the image may call, its resources and its
// options). A line-based text format, documented in docs/image-builder.md:
//
//   # comment
//   entry QuillonMain
//   library kernel32.dll WriteFile GetStdHandle
//   resource 'BMP ' 128 pictures/logo.bmp
//   plugin 128 "Appearance.dll" appearance.dll
//   mdi "Titrix"
#pragma once

#include <stdint.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "bytes.h"
#include "diagnostics.h"

namespace qlimage {

struct ManifestResource {
  uint32_t type = 0;           // four-character code, first character in the most significant byte
  uint16_t number = 0;
  std::string file;            // resolved against the manifest's folder
  std::string pluginFileName;  // 'QLPl' resources: the library's installed file name
  int line = 0;
};

struct Manifest {
  std::string entry = "QuillonMain";
  std::map<std::string, std::string> routines;  // Win32 routine name -> library file name
  std::vector<ManifestResource> resources;
  std::optional<std::string> mdiTitle;          // set: MDI mode on with this frame title
};

constexpr uint32_t kPluginResourceType = 0x514C506C;  // 'QLPl'

// Parses manifest text; `folder` is prefixed to relative file names and
// `name` labels the messages ("NAME:LINE: what").
bool ParseManifest(const std::string& name, const std::string& text, const std::string& folder, Manifest& out,
                   Diagnostics& diagnostics);

// The resource and options sections the manifest describes. Reads each
// resource file; a missing or oversized one is reported.
bool BuildResourceSection(const Manifest& manifest, Bytes& out, Diagnostics& diagnostics);
Bytes BuildOptionsSection(const Manifest& manifest);

// "'BMP '" for messages and the dump.
std::string FourCharCode(uint32_t type);

}  // namespace qlimage
