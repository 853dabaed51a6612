#include "startup/imagememory.h"

#include <gtest/gtest.h>

namespace ql {
namespace {

TEST(ImageMemory, DataFollowsTheCodeAtTheNextMultipleOf16) {
  struct Case {
    uint64_t code, data, thunks;
    uint64_t dataOffset, thunkOffset, blockSize;
  };
  const Case cases[] = {
      {1, 0, 0, 16, 16, 16},     {16, 5, 0, 16, 32, 32},  {17, 5, 48, 32, 48, 96},
      {0x1000, 0x20, 0, 0x1000, 0x1020, 0x1020}, {0, 0, 0, 0, 0, 16},
  };
  for (const Case& c : cases) {
    ImageLayout layout;
    ASSERT_TRUE(LayOutImage(c.code, c.data, c.thunks, &layout));
    EXPECT_EQ(layout.dataOffset, c.dataOffset) << c.code;
    EXPECT_EQ(layout.thunkOffset, c.thunkOffset) << c.code;
    EXPECT_EQ(layout.blockSize, c.blockSize) << c.code;
  }
  ImageLayout layout;
  EXPECT_FALSE(LayOutImage(uint64_t{1} << 32, 0, 0, &layout));
}

TEST(ImageMemory, APlacedImageIsOneZeroedBlock) {
  PlacedImage image;
  LoadFailure failure;
  ASSERT_TRUE(PlaceImage(33, 7, 40, &image, &failure));
  EXPECT_EQ(image.code, image.block);
  EXPECT_EQ(image.data, image.code + 48);
  EXPECT_EQ(image.thunks, image.data + 16);
  for (size_t i = 0; i < image.blockSize; ++i) ASSERT_EQ(image.block[i], 0) << i;
  ReleasePlacedImage(&image);
  EXPECT_EQ(image.block, nullptr);
}

}  // namespace
}  // namespace ql
