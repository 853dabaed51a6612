// quillon-image: builds application images from the target compiler's
// objects (docs/image-builder.md).
#include <string>
#include <vector>

#include "image_builder.h"

int main(int argc, char** argv) {
  return qlimage::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
