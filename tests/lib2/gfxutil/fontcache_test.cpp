#include "lib2/gfxutil/FontCache.h"

#include <gtest/gtest.h>

#include <vector>

#include "lib2/gfxutil/BuiltInResource.h"
#include "tests/support/Failure.h"
#include "tests/support/FontBytes.h"

namespace {

using gwtest::FontBytes;

// 20 pages: the records alone (25,600 bytes) outgrow the inflating
// stream's rewind window.
FontBytes bigFont() {
  std::vector<uint32_t> pages;
  for (uint32_t i = 1; i < 20; i++) pages.push_back(i * 128);
  return FontBytes(pages, {0, 5, 0, 0, 8, 1}, {{'A', {1, 9, 0, 0, 8, 1}}}, {0xff, 0x0f});
}

void registerFont(const char* resource, const std::vector<uint8_t>& gz) {
  static std::vector<std::vector<uint8_t>> kept;  // the registry borrows
  kept.push_back(gz);
  gfxutil::builtInResourceAdd(resource, {int(kept.back().size()), kept.back().data()});
}

TEST(FontCache, LoadsPastTheRewindWindowAndSharesTheFont) {
  registerFont("helv15.gz", bigFont().gzipped());
  plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont("helv15");
  EXPECT_EQ(font->pageCount(), 20);
  EXPECT_EQ(font->charWidth('A'), 9);
  EXPECT_EQ(gfxutil::getFont("helv15").get(), font.get());
  EXPECT_EQ(gfxutil::getFont("helv16").get(), font.get());
}

TEST(FontCache, AMissingFontFailsEachTimeAndIsNotCached) {
  const char* expected = "Failed to read font late: resource not found";
  EXPECT_EQ(gwtest::failureOf([] { gfxutil::getFont("late"); }), expected);
  EXPECT_EQ(gwtest::failureOf([] { gfxutil::getFont("late"); }), expected);
  registerFont("late.gz", bigFont().gzipped());
  EXPECT_EQ(gfxutil::getFont("late")->charWidth('A'), 9);
}

}  // namespace
