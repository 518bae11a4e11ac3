#include "lib2/gfxutil/FontCache.h"

#include <gtest/gtest.h>

#include "lib2/gfxutil/BuiltInResource.h"
#include "tests/support/Failure.h"
#include "tests/support/FontBytes.h"

namespace {

// 20 pages: 25,600 bytes of records, more than the inflater's rewind window.
void registerBigFont(const char* resource) {
  static std::vector<std::vector<uint8_t>> kept;  // the registry borrows the bytes
  std::vector<uint32_t> pages;
  for (uint32_t i = 1; i < 20; i++) pages.push_back(i * 128);
  kept.push_back(
      gwtest::FontBytes(pages, {0, 5, 0, 0, 8, 1}, {{'A', {1, 9, 0, 0, 8, 1}}}, {0xff, 0x0f})
          .gzipped());
  gfxutil::builtInResourceAdd(resource, {int(kept.back().size()), kept.back().data()});
}

TEST(FontCache, LoadsPastTheRewindWindowAndSharesTheFont) {
  registerBigFont("helv15.gz");
  plat::SharedPtr<gfxutil::FontProp> font = gfxutil::getFont("helv15");
  EXPECT_EQ(font->pageCount(), 20);
  EXPECT_EQ(font->charWidth('A'), 9);
  EXPECT_EQ(gfxutil::getFont("helv16").get(), font.get());
}

TEST(FontCache, AMissingFontFailsEachTimeAndIsNotCached) {
  for (int i = 0; i < 2; i++)
    EXPECT_EQ(gwtest::failureOf([] { gfxutil::getFont("late"); }),
              "Failed to read font late: resource not found");
  registerBigFont("late.gz");
  EXPECT_EQ(gfxutil::getFont("late")->charWidth('A'), 9);
}

}  // namespace
