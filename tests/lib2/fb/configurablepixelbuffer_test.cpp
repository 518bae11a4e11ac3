#include "lib2/fb/ConfigurablePixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib2/fb/ColourCube.h"

using fb::PixelFormat;
using plat::Point;

namespace {

// Backed by a vector of white once sized, as a display image is.
struct VectorBuffer : fb::ConfigurablePixelBuffer {
  VectorBuffer(const PixelFormat& pf, const fb::ColourMap* cm)
      : fb::ConfigurablePixelBuffer(pf, plat::Rect(0, 0, 3, 2), cm) {}
  void setPf(const PixelFormat& pf) override { format_ = pf; }
  void setSize(const Point& size) override {
    width_ = stride_ = size.x;
    height_ = size.y;
    memory.assign(size_t(width_ * height_), 0xFFFFFFFF);
    data_ = reinterpret_cast<unsigned char*>(memory.data());
  }
  std::vector<uint32_t> memory;
};

}  // namespace

// Black is the map's black, byte-swapped for a big-endian format, with any
// alpha left clear.
TEST(ConfigurablePixelBuffer, TurningGrabOffPaintsBlack) {
  VectorBuffer pb(PixelFormat::argb8(), nullptr);
  pb.enableGrab(false);  // no memory yet: nothing to paint
  pb.setSize(Point(3, 2));
  pb.enableGrab(true);
  pb.enableGrab(false);
  EXPECT_EQ(pb.memory, std::vector<uint32_t>(6, 0));
  fb::ColourCube cube(2, 2, 2);
  cube.setEntry(0, 0x11223344);
  VectorBuffer mapped(PixelFormat(32, 8, true, false, 0, 0, 0, 0, 0, 0), &cube);
  mapped.setSize(Point(2, 1));
  mapped.enableGrab(false);
  EXPECT_EQ(mapped.memory, std::vector<uint32_t>(2, 0x44332211));
}
