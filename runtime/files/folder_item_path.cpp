#include "files/folder_item_path.h"

#include <string.h>

#include "platform/paths.h"

namespace ql {
namespace {

// The path bytes as the system's file calls take them.
String SystemPathBytes(RuntimeString* path) { return ConvertString(path, platform::PathEncoding()); }

// A zero byte would cut the path short at the system boundary.
bool HasZeroByte(const String& path) {
  return memchr(path.text(), 0, static_cast<size_t>(path.length())) != nullptr;
}

String FollowShortcut(const String& path) {
  const String target = platform::ResolveShortcut(path.text());
  return target.empty() ? path : platform::LongPathName(target);
}

}  // namespace

bool IsVirtualVolumePath(RuntimeString* path) {
  static constexpr unsigned char kMarker[4] = {0x00, 0xF1, 0xD1, 0x73};
  return StringLength(path) >= 4 && memcmp(StringText(path), kMarker, sizeof kMarker) == 0;
}

String ResolveFolderItemPath(RuntimeString* path) {
  const String bytes = SystemPathBytes(path);
  // A text the system's encoding cannot take names no file.
  if (bytes.empty() && StringLength(path) > 0) return String();
  if (HasZeroByte(bytes)) return String();
  const String absolute = platform::AbsolutePath(bytes.text());
  if (absolute.empty()) return String();
  return FollowShortcut(platform::LongPathName(absolute));
}

}  // namespace ql
