#include "core/lineends.h"

#include "core/string.h"

namespace ql {
namespace {

struct LineEnds {
  RuntimeString* cr = NewStringFromCText("\r").release();
  RuntimeString* crlf = NewStringFromCText("\r\n").release();
  RuntimeString* lf = NewStringFromCText("\n").release();
};

}  // namespace

RuntimeString* LineEndString(LineEnd which) {
  static const LineEnds ends;
  switch (which) {
    case LineEnd::Macintosh:
      return ends.cr;
    case LineEnd::Windows:
      return ends.crlf;
    case LineEnd::Unix:
      return ends.lf;
  }
  return ends.crlf;
}

}  // namespace ql
