#include "lib2/mui/wvw/MuiWvw.h"

#include <gtest/gtest.h>

#include "lib2/gfxutil/FontCache.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "tests/support/FakeMui.h"
#include "tests/support/WvwBackEnd.h"

namespace {

gfxutil::Font* font(const char* name) { return gfxutil::getFont(name).get(); }

TEST(MuiWvw, FontsArePickedByPixelSize) {
  gwtest::WvwBackEnd backEnd;
  mui::MuiWvw& m = backEnd.mui();
  EXPECT_EQ(m.getFont(15), font("helv15"));
  EXPECT_EQ(m.getFont(16), font("helv16"));
  EXPECT_EQ(m.getBoldFont(12), font("helvB15"));
  EXPECT_EQ(m.boldFont(), font("helvB15"));
}

// The built-in box is 16 pixels wide: 42.67 logical units at ppmm 3.
TEST(MuiWvw, TheCheckBoxWidthBecomesTheLastLogicalSize) {
  const struct {
    int pixels, ppmm, logical;
  } rows[] = {{20, 4, 48}, {1, 16, 9}, {0, 4, 8}, {20, 0, 8}};
  for (const auto& r : rows)
    EXPECT_EQ(mui::checkWidthToLogical(r.pixels, r.ppmm), r.logical) << r.pixels << " " << r.ppmm;
  const mui::MuiSizes defaults = mui::logicalSizes;
  gfxutil::ppmm.setParam("3", 0);
  {
    gwtest::WvwBackEnd backEnd;
    EXPECT_EQ(mui::logicalSizes[mui::MuiSizes::CheckWidth], 43 + 8);
    EXPECT_EQ(mui::sizes[mui::MuiSizes::CheckWidth], 19);
  }
  gfxutil::ppmm.unsetParam(0, false);
  mui::setLogicalSizes(defaults);
}

TEST(MuiWvw, DebugLayoutGivesEveryCallAStyleOfItsOwn) {
  gwtest::WvwBackEnd backEnd;
  mui::MuiWvw& m = backEnd.mui();
  EXPECT_EQ(m.getDefaultStyle(), &m.style());
  mui::debugLayout.setParam("1", 0);
  const wvw::WStyle* a = m.getDefaultStyle();
  EXPECT_NE(a, m.getDefaultStyle());
  EXPECT_NE(a, &m.style());
  EXPECT_EQ(a->font, m.style().font);
  mui::debugLayout.unsetParam(0, false);
}

TEST(MuiWvw, BrokenInvariantsStopTheProgram) {
  mui::MuElement bare(nullptr, "bare", nullptr);
  EXPECT_DEATH(mui::getWidget(nullptr), "Assertion 'element' failed");
  EXPECT_DEATH(mui::getWidget(&bare), "Assertion 'c' failed");
  gwtest::FakeMui fake;
  EXPECT_DEATH(mui::getMuiWvw(), "Assertion 'm' failed");
}

}  // namespace
