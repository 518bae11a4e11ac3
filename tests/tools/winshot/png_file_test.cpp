#include <gtest/gtest.h>
#include <png.h>
#include <sys/stat.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"
#include "tools/winshot/PngFile.h"

namespace {

using winshot::Picture;

Picture sample() {
  Picture p;
  p.width = 3;
  p.height = 2;
  p.pixels = {0xff0000, 0x00ff00, 0x0000ff, 0x123456, 0xffffff, 0x000000};
  return p;
}

TEST(SavePngTest, SavesEveryPixelAsRgb) {
  gwtest::TempDir dir;
  std::string path = dir.file("shot.png");
  winshot::savePng(sample(), path);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"shot.png"}) << "a part file stayed behind";
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  EXPECT_EQ(image.width, 3u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(image.format, png_uint_32(PNG_FORMAT_RGB));
  std::vector<png_byte> rgb(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr));
  std::vector<png_byte> expected = {0xff, 0,    0,    0,    0xff, 0,    0, 0, 0xff,
                                    0x12, 0x34, 0x56, 0xff, 0xff, 0xff, 0, 0, 0};
  EXPECT_EQ(rgb, expected);
}

TEST(SavePngTest, AFailedWriteLeavesTheEarlierPictureAsItWas) {
  gwtest::TempDir dir;
  std::string path = dir.file("shot.png");
  winshot::savePng(sample(), path);
  std::string before = gwtest::readFile(path);
  // Where the part file would go stands a directory.
  ASSERT_EQ(mkdir((path + ".part").c_str(), 0700), 0);
  Picture other = sample();
  other.pixels[0] = 0;
  try {
    winshot::savePng(other, path);
    FAIL() << "saved";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(e.what(), "cannot write " + path + ": " + path + ".part: Is a directory");
  }
  EXPECT_EQ(gwtest::readFile(path), before);
}

}  // namespace
