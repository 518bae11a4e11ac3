#include "tests/support/Golden.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/PngFile.h"
#include "tests/support/PngWriter.h"

namespace gwtest {

namespace {

// Every pixel as red, green, blue bytes, row by row.
Bytes rgbOf(fb::FullFramePixelBuffer& pb) {
  Bytes out;
  plat::Rect r = pb.getRect();
  for (int y = r.tl.y; y < r.br.y; y++) {
    for (int x = r.tl.x; x < r.br.x; x++) {
      fb::ColourWithAlpha c;
      pb.getPf().pixelToRgba8(pb.getPixelAt(plat::Point(x, y)), &c, pb.getColourMap());
      out.insert(out.end(), {(unsigned char)c.r, (unsigned char)c.g, (unsigned char)c.b});
    }
  }
  return out;
}

}  // namespace

testing::AssertionResult matchesGolden(fb::FullFramePixelBuffer& pb, const std::string& path) {
  Bytes actual = rgbOf(pb);
  const char* update = getenv("GW_UPDATE_GOLDEN");
  if (update && *update && *update != '0') {
    Bytes png = writePng(pb.getWidth(), pb.getHeight(), 2, 8, false, actual);
    std::ofstream out(path, std::ios::binary);
    out.write((const char*)png.data(), std::streamsize(png.size()));
    out.close();
    if (!out) return testing::AssertionFailure() << "cannot write " << path;
    return testing::AssertionSuccess() << "wrote " << path;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return testing::AssertionFailure()
           << "no golden image " << path << " (GW_UPDATE_GOLDEN=1 writes it)";
  }
  Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  gfxutil::PngFile png(plat::CBuf<unsigned char>{int(file.size()), file.data()}, false,
                       path.c_str());
  fb::ManagedPixelBuffer expectedPb(&png);
  if (expectedPb.getWidth() != pb.getWidth() || expectedPb.getHeight() != pb.getHeight()) {
    return testing::AssertionFailure()
           << path << " is " << expectedPb.getWidth() << "x" << expectedPb.getHeight()
           << ", the picture " << pb.getWidth() << "x" << pb.getHeight();
  }
  Bytes expected = rgbOf(expectedPb);
  size_t differ = 0, first = 0;
  for (size_t i = 0; i < actual.size(); i += 3) {
    if (!std::equal(&actual[i], &actual[i] + 3, &expected[i])) {
      if (!differ++) first = i / 3;
    }
  }
  if (!differ) return testing::AssertionSuccess();
  int w = pb.getWidth();
  return testing::AssertionFailure()
         << differ << " pixels differ from " << path << ", the first at " << first % size_t(w)
         << "," << first / size_t(w)
         << " (GW_UPDATE_GOLDEN=1 rewrites it after a deliberate change)";
}

}  // namespace gwtest
