#include "lib2/fb/ConfigurablePixelBuffer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib2/fb/ColourCube.h"

using fb::PixelFormat;
using plat::Point;
using plat::Rect;

namespace {

// Backed by a vector once sized, as a display image is once it exists.
class VectorBuffer : public fb::ConfigurablePixelBuffer {
 public:
  VectorBuffer(const PixelFormat& pf, const fb::ColourMap* cm)
      : fb::ConfigurablePixelBuffer(pf, Rect(0, 0, 3, 2), cm) {}
  void setPf(const PixelFormat& pf) override { format_ = pf; }
  void setSize(const Point& size) override {
    width_ = size.x;
    height_ = size.y;
    stride_ = width_;
    memory.assign(size_t(width_ * height_), 0xFFFFFFFF);
    data_ = reinterpret_cast<unsigned char*>(memory.data());
  }
  std::vector<uint32_t> memory;
};

}  // namespace

TEST(ConfigurablePixelBuffer, TurningGrabOffPaintsBlack) {
  VectorBuffer pb(PixelFormat::argb8(), nullptr);
  pb.enableGrab(false);  // no memory yet: nothing to paint
  pb.setSize(Point(3, 2));
  pb.enableGrab(false);  // already off: no change
  EXPECT_EQ(pb.memory, std::vector<uint32_t>(6, 0xFFFFFFFF));
  pb.enableGrab(true);
  pb.enableGrab(false);
  EXPECT_EQ(pb.memory, std::vector<uint32_t>(6, 0));  // alpha left clear
}

TEST(ConfigurablePixelBuffer, ColourMappedBlackComesFromTheMap) {
  fb::ColourCube cube(2, 2, 2);
  cube.setEntry(0, 0x11223344);
  PixelFormat bigPal(32, 8, true, false, 0, 0, 0, 0, 0, 0);
  VectorBuffer pb(bigPal, &cube);
  pb.setSize(Point(2, 1));
  pb.enableGrab(false);
  EXPECT_EQ(pb.memory, std::vector<uint32_t>(2, 0x44332211));
}
