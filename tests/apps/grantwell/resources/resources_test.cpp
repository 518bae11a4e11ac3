#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lib2/gfxutil/BuiltInResource.h"
#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/gfxutil/ScreenDensity.h"

namespace {

enum Kind { palette = 3, rgba = 6 };

struct Image {
  const char* file;
  Kind kind;
  int side;             // pixels of the file, square
  const char* logical;  // the name the code asks for
};

// In registration order.
const Image images[] = {
    {"statusError@2x.png", palette, 96, "statusError"},
    {"statusWarning@2x.png", rgba, 96, "statusWarning"},
    {"statusInfo@2x.png", palette, 96, "statusInfo"},
    {"statusQuestion@2x.png", rgba, 96, "statusQuestion"},
    {"infoframe_success@2x.png", palette, 32, "infoframe_success"},
    {"infoframe_warning@2x.png", palette, 32, "infoframe_warning"},
    {"infoframe_error@2x.png", palette, 32, "infoframe_error"},
    {"infoframe_locked@2x.png", palette, 32, "infoframe_locked"},
    {"infoframe_notify@2x.png", palette, 32, "infoframe_notify"},
    {"infoframe_preference@2x.png", palette, 32, "infoframe_preference"},
    {"infoframe_default@2x.png", palette, 32, "infoframe_default"},
    {"accept@2x.png", palette, 32, "accept"},
    {"deny@2x.png", palette, 32, "deny"},
    {"prompt@2x.png", palette, 32, "prompt"},
    {"entryup@2x.png", palette, 32, "entryup"},
    {"entrydown@2x.png", palette, 32, "entrydown"},
    {"user@2x.png", palette, 32, "user"},
    {"group@2x.png", palette, 32, "group"},
    {"global@2x.png", palette, 32, "global"},
    {"guest@2x.png", palette, 32, "guest"},
    {"noguest@2x.png", palette, 32, "noguest"},
    {"grantwell16x16.png", palette, 16, "grantwell"},
    {"grantwell48x48.png", palette, 48, "grantwell"},
};

unsigned bigEndian32(const unsigned char* p) {
  return unsigned(p[0]) << 24 | unsigned(p[1]) << 16 | unsigned(p[2]) << 8 | p[3];
}

// What the header says, from the registered bytes: the committed file as the
// program carries it.
TEST(BuiltInResources, EveryImageIsRegisteredAsCommitted) {
  for (const Image& im : images) {
    plat::CBuf<unsigned char> data = gfxutil::builtInResourceGet(im.file);
    ASSERT_GT(data.length, 33) << im.file;
    std::ifstream in(std::string(GW_RESOURCE_DIR "/") + im.file, std::ios::binary);
    std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(std::vector<unsigned char>(data.data, data.data + data.length), file) << im.file;
    EXPECT_EQ(bigEndian32(data.data + 16), unsigned(im.side)) << im.file;
    EXPECT_EQ(bigEndian32(data.data + 20), unsigned(im.side)) << im.file;
    EXPECT_EQ(data.data[24], 8) << im.file;        // bits per channel
    EXPECT_EQ(data.data[25], im.kind) << im.file;  // colour type
  }
}

// "@2x" images are drawn at twice their logical size; the window icon is
// asked for at its exact sizes.
void expectFoundAt(int density) {
  ASSERT_TRUE(gfxutil::ppmm.setParam(density, 0));
  for (const Image& im : images) {
    bool exact = std::string(im.file).find("@2x") == std::string::npos;
    int side = exact ? im.side : im.side / 2 * density / 4;
    plat::Point wanted = exact ? plat::Point(side, side) : plat::Point(0, 0);
    gfxutil::NamedImagePixelBuffer pb(im.logical, wanted);
    EXPECT_EQ(plat::Point(pb.getWidth(), pb.getHeight()), plat::Point(side, side)) << im.file;
  }
}

TEST(BuiltInResources, EveryImageIsFoundByItsNameAtSingleDensity) { expectFoundAt(4); }
TEST(BuiltInResources, EveryImageIsFoundByItsNameAtDoubleDensity) { expectFoundAt(8); }

}  // namespace
