#include "startup/imageresources.h"

namespace ql {

ImageResourceSection& CurrentResourceSection() {
  static ImageResourceSection section;
  return section;
}

}  // namespace ql
