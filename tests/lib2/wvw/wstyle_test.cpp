#include "lib2/wvw/WStyle.h"

#include <gtest/gtest.h>

using namespace wvw;

TEST(WStyleDeathTest, FontSetBeforeFirstUseIsTheDefaultFont) {
  // In a process of its own, so that no earlier test built the style first.
  auto check = [] {
    auto* font = reinterpret_cast<gfxutil::Font*>(0x1000);
    WStyle::setDefaultFont(font);
    exit(WStyle::defaultStyle()->font == font ? 0 : 1);
  };
  EXPECT_EXIT(check(), testing::ExitedWithCode(0), "");
}
