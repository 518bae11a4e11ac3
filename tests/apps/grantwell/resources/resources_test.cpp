#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <iterator>
#include <sstream>

#include "lib1/plat/DString.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/gfxutil/BuiltInResource.h"
#include "lib2/gfxutil/FontCache.h"
#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "tests/support/PixelPicture.h"

namespace {

// Each committed image: file name without ".png", colour type (3 palette,
// 6 RGBA) and side in pixels.
void forEachImage(const std::function<void(const std::string&, unsigned, int)>& check) {
  std::istringstream table(
      "statusError@2x 3 96 statusWarning@2x 6 96 statusInfo@2x 3 96 statusQuestion@2x 6 96 "
      "infoframe_success@2x 3 32 infoframe_warning@2x 3 32 infoframe_error@2x 3 32 "
      "infoframe_locked@2x 3 32 infoframe_notify@2x 3 32 infoframe_preference@2x 3 32 "
      "infoframe_default@2x 3 32 accept@2x 3 32 deny@2x 3 32 prompt@2x 3 32 entryup@2x 3 32 "
      "entrydown@2x 3 32 user@2x 3 32 group@2x 3 32 global@2x 3 32 guest@2x 3 32 "
      "noguest@2x 3 32 grantwell16x16 3 16 grantwell48x48 3 48");
  std::string name;
  unsigned kind;
  int side, count = 0;
  for (; table >> name >> kind >> side; count++) check(name, kind, side);
  EXPECT_EQ(count, 23);
}

// text as drawn by font at the left of a line.
std::vector<std::string> picture(gfxutil::FontProp* font, const char* text,
                                 const char* end = nullptr) {
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), plat::Point(200, 15), nullptr);
  font->drawText(&pb, text, plat::Point(0, 0), 0xffffff, end);
  return gwtest::picture(pb);
}

unsigned bigEndian32(const unsigned char* p) {
  return unsigned(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

// As long as the committed file, with the size, 8 bits a channel and kind.
TEST(BuiltInResources, EveryImageIsRegisteredAsCommitted) {
  forEachImage([](const std::string& name, unsigned kind, int side) {
    plat::CBuf<unsigned char> data = gfxutil::builtInResourceGet((name + ".png").c_str());
    ASSERT_EQ(size_t(data.length), std::filesystem::file_size(GW_RESOURCE_DIR "/" + name + ".png"));
    std::vector<unsigned> header{bigEndian32(data.data + 16), bigEndian32(data.data + 20),
                                 data.data[24], data.data[25]};
    EXPECT_EQ(header, std::vector<unsigned>({unsigned(side), unsigned(side), 8, kind})) << name;
  });
}

// "@2x" images by the name before "@2x" at their natural size, the window
// icon by the name before its size at that size.
TEST(BuiltInResources, EveryImageIsFoundByItsNameAtSingleAndDoubleDensity) {
  for (int density : {4, 8}) {
    ASSERT_TRUE(gfxutil::ppmm.setParam(density, 0));
    forEachImage([density](const std::string& file, unsigned, int side) {
      size_t at = file.find("@2x"), digits = file.find_first_of("0123456789");
      plat::Point size = at == std::string::npos ? plat::Point(side, side) : plat::Point();
      gfxutil::NamedImagePixelBuffer pb(file.substr(0, std::min(at, digits)).c_str(), size);
      int expected = at == std::string::npos ? side : side * density / 8;
      EXPECT_EQ(plat::Point(pb.getWidth(), pb.getHeight()), plat::Point(expected, expected))
          << file;
    });
  }
}

// Both fonts load through the real loader, draw a sample line, fit the
// dialogs' width budget and have a glyph of their own (not the hollow box of
// the missing characters) for the punctuation and letters the texts use.
TEST(BuiltInResources, BothFontsLoadDrawAndFitTheDialogs) {
  const char* sample = "Refresh Users & Groups";
  const char* needed =
      "\u2026\u00AE\u00A9\u2122\u201C\u201D\u2013\u2014\u00DF\u00E9\u00F1\u0153\u00BF\u20AC";
  for (auto [name, budget] : {std::pair("helv15", 150), std::pair("helvB15", 155)}) {
    plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont(name);
    ASSERT_EQ(font->height, 15);
    EXPECT_LE(font->textWidth(sample), budget) << name;
    std::string inked;
    for (const std::string& row : picture(font.get(), sample)) inked += row;
    EXPECT_GT(std::count(inked.begin(), inked.end(), '#'), 150) << name;
    for (const char* c = needed; *c; c += 2 + (*c & 0x20 ? 1 : 0))
      EXPECT_NE(picture(font.get(), c, c + 2 + (*c & 0x20 ? 1 : 0)), picture(font.get(), "\x01"))
          << name << " " << c - needed;
  }
  EXPECT_EQ(gfxutil::getFont("helvB16").get(), gfxutil::getFont("helvB15").get());
}

// Widgets draw text without padding, so whatever a glyph draws above or below
// the line is cut off: an accent over a capital would go, or pass for another.
TEST(BuiltInResources, EveryGlyphOfBothFontsStaysInsideItsLine) {
  const int margin = 8;
  for (const char* name : {"helv15", "helvB15"}) {
    plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont(name);
    const int height = font->height;
    fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), plat::Point(48, height + 2 * margin),
                              nullptr);
    // A whole-width band is one run of bytes.
    auto inked = [&pb](int top, int bottom) {
      int stride;
      const unsigned char* p = pb.getPixelsR(plat::Rect(0, top, pb.getWidth(), bottom), &stride);
      return std::any_of(p, p + size_t(stride) * size_t(bottom - top) * 4,
                         [](unsigned char b) { return b != 0; });
    };
    // Only the bands outside the line are looked at, so only a glyph that
    // inks them needs the buffer cleared after it.
    std::string outside;
    for (int c = 0; c < 0x10000; c++) {
      font->drawChar(&pb, c, plat::Point(margin, margin), 1);
      if (!inked(0, margin) && !inked(margin + height, height + 2 * margin)) continue;
      outside += plat::DPrintf(" U+%04X", c).get();
      fb::fillRect(&pb, pb.getRect(), 0);
    }
    EXPECT_EQ(outside, "") << name;
  }
}

// Two characters side by side keep a blank column between their inks, so
// that numbers and names read as characters ("1000", "(1000=users)",
// "0.1.0.0") and not as a grid: every pair of the printable ASCII characters
// and the Latin-1 letters the translations use. The low line is left out: it
// runs on into the next one.
TEST(BuiltInResources, NoGlyphTouchesItsNeighbour) {
  std::vector<std::string> chars;
  for (char c : std::string("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                            "!\"#$%&'()*+,-./:;<=>?@[\\]^`{|}~"))
    chars.emplace_back(1, c);
  for (unsigned c = 0xC0; c <= 0xFF; c++)
    if (c != 0xD7 && c != 0xF7) chars.push_back({char(0xC3), char(0x80 + c - 0xC0)});
  for (const char* name : {"helv15", "helvB15"}) {
    plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont(name);
    fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), plat::Point(40, font->height), nullptr);
    // The rows of text as drawn from the left edge, up to column width.
    auto drawn = [&](const std::string& text, int width) {
      fb::fillRect(&pb, pb.getRect(), 0);
      font->drawText(&pb, text.c_str(), plat::Point(0, 0), 1);
      std::vector<std::string> rows = gwtest::picture(pb);
      for (std::string& row : rows) row.resize(size_t(width));
      return rows;
    };
    std::string touching;
    int count = 0;
    for (const std::string& a : chars) {
      // The second character may draw nothing up to a column past the first
      // one's ink.
      int width = 0;
      for (const std::string& row : drawn(a, pb.getWidth()))
        if (row.find('#') != std::string::npos) width = std::max(width, int(row.rfind('#')) + 2);
      std::vector<std::string> alone = drawn(a, width);
      for (const std::string& b : chars) {
        if (drawn(a + b, width) == alone) continue;
        if (count++ < 40) touching += " " + a + b;
      }
    }
    EXPECT_EQ(count, 0) << name << ":" << touching;
  }
}

// The quotes each draw a shape of their own, none a straight mark's.
TEST(BuiltInResources, TypographicQuotesAreDistinctShapes) {
  const char* const quotes[] = {"\u2018", "\u2019", "\u201A", "\u201C",
                                "\u201D", "\u201E", "'",      "\""};
  for (const char* name : {"helv15", "helvB15"}) {
    plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont(name);
    for (size_t a = 0; a < std::size(quotes); a++)
      for (size_t b = a + 1; b < std::size(quotes); b++)
        EXPECT_NE(picture(font.get(), quotes[a]), picture(font.get(), quotes[b]))
            << name << " " << quotes[a] << quotes[b];
  }
}

}  // namespace
