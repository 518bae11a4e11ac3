#include "lib2/fb/TransTables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

using fb::PixelFormat;
using fb::TransTable;

namespace {

template <typename Entry>
std::vector<unsigned> entries(const TransTable& table, size_t n) {
  const auto* e = reinterpret_cast<const Entry*>(table.data);
  return std::vector<unsigned>(e, e + n);
}

// Maps every pixel to colour (pixel, 0, 0): a map that is no cube.
class RedRamp : public fb::ColourMap {
 public:
  void pixelToRgb888(unsigned pixel, fb::Colour* out) const override {
    *out = fb::Colour{int(pixel), 0, 0};
  }
  int numColours() const override { return 256; }
};

}  // namespace

TEST(TransTables, OnlySixteenAndThirtyTwoBitEntriesAreByteSwapped) {
  uint8_t e8[2];
  uint16_t e16[2];
  uint32_t e24[2], e32[2];
  fb::initOneRGBTable<8>(e8, 1, 3, 6, true, nullptr);
  fb::initOneRGBTable<16>(e16, 1, 31, 11, true, nullptr);
  fb::initOneRGBTable<24>(e24, 1, 255, 16, true, nullptr);
  fb::initOneRGBTable<32>(e32, 1, 255, 16, true, nullptr);
  EXPECT_EQ(e8[1], 0xC0);
  EXPECT_EQ(e16[1], 0x00F8);
  // A 24-bit value has no byte order of its own: the entries agree with how
  // every other route and a blit store it.
  EXPECT_EQ(e24[1], 0xFF0000u);
  EXPECT_EQ(e32[1], 0x0000FF00u);
}

TEST(TransTables, WholePixelTableSwapsBigEndianInputBeforeMasking) {
  // 16-bit big-endian input of depth 12, red in the top bits of the value.
  const PixelFormat in(16, 12, true, true, 15, 15, 15, 8, 4, 0);
  const PixelFormat out(32, 24, false, true, 255, 255, 255, 16, 8, 0);
  TransTable table;
  fb::initSimpleFns[3](&table, in, nullptr, out, nullptr, nullptr);
  std::vector<unsigned> e = entries<uint32_t>(table, 65536);
  EXPECT_EQ(e[0x000F], 0xFF0000u);  // stored 0F 00 is the value 0x0F00: red
  EXPECT_EQ(e[0x00F0], 0u);         // the value 0xF000 lies outside the depth
  EXPECT_EQ(e[0xF000], 0xFF00u);    // the value 0x00F0: green
}

TEST(TransTablesDeath, ChannelTablesNeedHostOrderAndAnOrthogonalMap) {
  const PixelFormat bigEndian(32, 24, true, true, 255, 255, 255, 16, 8, 0);
  TransTable table;
  EXPECT_DEATH(fb::initRGBTCtoTCFns[3](&table, bigEndian, PixelFormat::rgb888(), nullptr),
               "inPF.isNativeEndian\\(\\)");
  RedRamp ramp;
  EXPECT_DEATH(fb::initRGBTCtoCMFns[0](&table, PixelFormat::rgb888(), PixelFormat::pal8(), &ramp,
                                       nullptr, nullptr),
               "orthCM->isOrthogonal\\(\\)");
}
