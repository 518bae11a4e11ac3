#include "lib2/fb/ShiftTranslator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "lib2/fb/TransLoops.h"
#include "lib2/fb/TransTables.h"

using fb::PixelFormat;
using fb::ShiftTranslator;
using Replaces = ShiftTranslator::Replaces;

namespace {

struct Named {
  const char* name;
  PixelFormat pf;
};

// Every maximum 2^n - 1: translated without tables, to and from each other.
const Named kFormats[] = {
    {"rgb888", PixelFormat::rgb888()},
    {"bgr888", PixelFormat::bgr888()},
    {"rgb565", PixelFormat::rgb565()},
    {"rgb555", PixelFormat::rgb555()},
    {"bgr233", PixelFormat()},
    {"rgb222", PixelFormat::rgb222()},
    {"rgb111", PixelFormat::rgb111()},
    {"rgb565 big-endian", PixelFormat(16, 16, true, true, 31, 63, 31, 11, 5, 0)},
    {"rgb888 big-endian", PixelFormat(32, 24, true, true, 255, 255, 255, 16, 8, 0)},
    {"rgb444 of depth 12, big-endian", PixelFormat(16, 12, true, true, 15, 15, 15, 8, 4, 0)},
    {"16 bits at odd shifts", PixelFormat(16, 15, false, true, 7, 63, 31, 1, 4, 10)},
    {"ten bits a channel", PixelFormat(32, 30, false, true, 1023, 1023, 1023, 20, 10, 0)},
    {"32 bits at odd shifts", PixelFormat(32, 24, false, true, 31, 127, 15, 3, 9, 19)},
    {"red cut at the top", PixelFormat(32, 32, false, true, 255, 255, 255, 28, 8, 0)},
};

// Each pixel value of an 8- or 16-bit format, a spread of 32-bit ones.
std::vector<uint32_t> inputValues(const PixelFormat& in) {
  std::vector<uint32_t> values;
  if (in.bpp < 32) {
    for (uint32_t v = 0; v < 1u << in.bpp; v++) values.push_back(v);
    return values;
  }
  std::mt19937 rng(7);
  values = {0, 0xFFFFFFFF, 0x00FFFFFF, 0xFF000000};
  while (values.size() < 65536) values.push_back(uint32_t(rng()));
  return values;
}

// The values as rows of 700 pixels (the swapped copy goes in chunks of 512)
// with spare pixels after each row on both sides, and the output of either
// route, spare bytes included.
struct Layout {
  static constexpr int kWidth = 700, kInStride = 705, kOutStride = 707;
  int height;
  std::vector<unsigned char> in;
  Layout(const PixelFormat& pf, const std::vector<uint32_t>& values)
      : height(int((values.size() + kWidth - 1) / kWidth)),
        in(size_t(kInStride) * height * (pf.bpp / 8)) {
    for (size_t i = 0; i < values.size(); i++) {
      size_t at = (i / kWidth * kInStride + i % kWidth) * (pf.bpp / 8);
      memcpy(&in[at], &values[i], pf.bpp / 8);  // host order: the raw value
    }
  }
  std::vector<unsigned char> out(const PixelFormat& pf) const {
    return std::vector<unsigned char>(size_t(kOutStride) * height * (pf.bpp / 8), 0xA5);
  }
};

std::vector<unsigned char> viaTables(const PixelFormat& in, Replaces replaces,
                                     const PixelFormat& out, const Layout& layout) {
  fb::TransTable table;
  int o = out.bpp / 8 - 1;
  fb::TransFn fn;
  if (replaces == Replaces::WholePixelTable) {
    fb::initSimpleFns[o](&table, in, nullptr, out, nullptr, nullptr);
    fn = fb::transSimpleFns[in.bpp / 16][o];
  } else {
    fb::initRGBTCtoTCFns[o](&table, in, out, nullptr);
    fn = fb::transRGBFns[in.bpp / 8 - 2][o];
  }
  std::vector<unsigned char> result = layout.out(out);
  fn(table.data, in, layout.in.data(), Layout::kInStride, out, result.data(), Layout::kOutStride,
     Layout::kWidth, layout.height);
  return result;
}

}  // namespace

// The tables stand for what each route must give, pixel for pixel: whole-pixel
// tables for 8- and 16-bit input, channel tables (from the host-order reading
// of the format) for 16- and 32-bit input.
// Only the colours of 16 bits and of bgr233, rounded to 8 bits and widened
// from there to ten, make a staircase that no multiply follows.
TEST(ShiftTranslator, GivesWhatTheTablesGiveForEveryPixel) {
  const std::set<std::string> staircases = {
      "rgb565 to ten bits a channel", "rgb555 to ten bits a channel",
      "bgr233 to ten bits a channel", "rgb565 big-endian to ten bits a channel",
      "16 bits at odd shifts to ten bits a channel"};
  std::set<std::string> refused;
  for (const Named& in : kFormats) {
    Layout layout(in.pf, inputValues(in.pf));
    for (const Named& out : kFormats) {
      for (Replaces replaces : {Replaces::WholePixelTable, Replaces::ChannelTables}) {
        PixelFormat loopPF = in.pf;
        if (replaces == Replaces::WholePixelTable ? in.pf.bpp > 16
                                                  : in.pf.bpp < 16 || !loopPF.makeNativeEndian())
          continue;
        SCOPED_TRACE(testing::Message()
                     << in.name << " to " << out.name
                     << (replaces == Replaces::WholePixelTable ? " for whole-pixel tables"
                                                               : " for channel tables"));
        ShiftTranslator shifter;
        if (!shifter.prepare(loopPF, replaces, out.pf)) {
          refused.insert(std::string(in.name) + " to " + out.name);
          continue;
        }
        std::vector<unsigned char> result = layout.out(out.pf);
        shifter.translate(layout.in.data(), Layout::kInStride, result.data(), Layout::kOutStride,
                          Layout::kWidth, layout.height);
        std::vector<unsigned char> expected = viaTables(loopPF, replaces, out.pf, layout);
        ASSERT_EQ(result, expected);
      }
    }
  }
  EXPECT_EQ(refused, staircases);
}

TEST(ShiftTranslator, LeavesToTheTablesWhatItCannotMatch) {
  const PixelFormat rgb888 = PixelFormat::rgb888();
  const struct {
    const char* name;
    PixelFormat in, out;
  } cases[] = {
      {"input maximum 200", PixelFormat(32, 24, false, true, 200, 255, 255, 16, 8, 0), rgb888},
      {"output maximum 62", rgb888, PixelFormat(16, 16, false, true, 31, 62, 31, 11, 5, 0)},
      {"output channels sharing bits", rgb888,
       PixelFormat(16, 16, false, true, 31, 63, 31, 11, 4, 0)},
      {"an output channel past the top", rgb888,
       PixelFormat(16, 16, false, true, 31, 63, 31, 12, 5, 0)},
      {"24 bits a pixel", PixelFormat(24, 24, false, true, 255, 255, 255, 16, 8, 0), rgb888},
      {"colour-mapped input", PixelFormat::pal8(), rgb888},
  };
  for (const auto& c : cases) {
    ShiftTranslator shifter;
    EXPECT_FALSE(shifter.prepare(c.in, Replaces::ChannelTables, c.out)) << c.name;
  }
}
