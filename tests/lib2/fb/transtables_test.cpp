#include "lib2/fb/TransTables.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "lib2/fb/ColourCube.h"

using fb::PixelFormat;

// A 24-bit value has no byte order of its own (as every other route stores it).
TEST(TransTables, OnlySixteenAndThirtyTwoBitEntriesAreByteSwapped) {
  uint16_t e16[2];
  uint32_t e24[2], e32[2];
  fb::initOneRGBTable<16>(e16, 1, 31, 11, true, nullptr);
  fb::initOneRGBTable<24>(e24, 1, 255, 16, true, nullptr);
  fb::initOneRGBTable<32>(e32, 1, 255, 16, true, nullptr);
  EXPECT_EQ(std::vector<unsigned>({e16[1], e24[1], e32[1]}),
            std::vector<unsigned>({0x00F8, 0xFF0000, 0x0000FF00}));
}

// Foreign formats reach maxima of 65535, whose products pass an int.
TEST(TransTables, WideChannelsScaleWithoutOverflow) {
  std::vector<uint32_t> e(65536);
  const int reduced = 65535;
  fb::initOneRGBTable<32>(e.data(), 65535, 65535, 0, false, nullptr);
  EXPECT_EQ(e[65535], 65535u);
  fb::initOneRGBTable<32>(e.data(), 65535, 255, 0, false, &reduced);
  EXPECT_EQ(e[65535], 255u);
}

// 16-bit big-endian input of depth 12, red in the top bits of the value.
TEST(TransTables, WholePixelTableSwapsBigEndianInputBeforeMasking) {
  fb::TransTable table;
  fb::initSimpleFns[3](&table, PixelFormat(16, 12, true, true, 15, 15, 15, 8, 4, 0), nullptr,
                       PixelFormat(32, 24, false, true, 255, 255, 255, 16, 8, 0), nullptr, nullptr);
  const uint32_t* e = reinterpret_cast<const uint32_t*>(table.data);
  EXPECT_EQ(e[0x000F], 0xFF0000u);  // stored 0F 00 is the value 0x0F00: red
  EXPECT_EQ(e[0x00F0], 0u);         // the value 0xF000 lies outside the depth
  EXPECT_EQ(e[0xF000], 0xFF00u);    // the value 0x00F0: green
}

TEST(TransTablesDeath, ChannelTablesNeedHostOrderAndAnOrthogonalMap) {
  const PixelFormat bigEndian(32, 24, true, true, 255, 255, 255, 16, 8, 0);
  fb::TransTable table;
  EXPECT_DEATH(fb::initRGBTCtoTCFns[3](&table, bigEndian, PixelFormat::rgb888(), nullptr),
               "inPF.isNativeEndian\\(\\)");
  fb::ColourCube shuffled(2, 2, 2);
  shuffled.setEntry(0, 5);
  EXPECT_DEATH(fb::initRGBTCtoCMFns[0](&table, PixelFormat::rgb888(), PixelFormat::pal8(),
                                       &shuffled, nullptr, nullptr),
               "orthCM->isOrthogonal\\(\\)");
}
