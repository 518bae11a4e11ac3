#include "lib2/mui/wvw/MuiWvw.h"

#include <gtest/gtest.h>

#include <memory>

#include "lib2/gfxutil/FontCache.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "tests/support/FakeMui.h"
#include "tests/support/WvwBackEnd.h"

namespace {

gfxutil::Font* font(const char* name) { return gfxutil::getFont(name).get(); }

// Sets a parameter for one test and takes the setting back.
class Setting {
 public:
  Setting(plat::ConfigParameter& p, const char* value) : p_(p) { p_.setParam(value, 0); }
  ~Setting() { p_.unsetParam(0, false); }

 private:
  plat::ConfigParameter& p_;
};

TEST(MuiWvw, FontsArePickedByPixelSize) {
  gwtest::WvwBackEnd backEnd;
  mui::MuiWvw& m = backEnd.mui();
  const struct {
    const char* name;
    gfxutil::Font* got;
    const char* expected;
  } rows[] = {
      {"getFont(15)", m.getFont(15), "helv15"},
      {"getFont(16)", m.getFont(16), "helv16"},
      {"getBoldFont(12)", m.getBoldFont(12), "helvB15"},
      {"getBoldFont(20)", m.getBoldFont(20), "helvB16"},
      {"boldFont", m.boldFont(), "helvB15"},
      {"headingFont", m.headingFont(), "helvB15"},
  };
  for (const auto& r : rows) EXPECT_EQ(r.got, font(r.expected)) << r.name;
}

TEST(MuiWvw, ABoldFontNameSetLaterServesTheNextSingleton) {
  gwtest::WvwBackEnd backEnd;
  mui::MuiWvw::setDefaultFonts("helvB15", "helv15");
  EXPECT_EQ(wvw::WStyle::defaultStyle()->font, font("helvB15"));
  EXPECT_EQ(backEnd.mui().boldFont(), font("helvB15"));
  EXPECT_EQ(mui::MuiWvw().boldFont(), font("helv15"));
  mui::MuiWvw::setDefaultFonts("helv15", "helvB15");
}

TEST(MuiWvw, TheCheckBoxWidthInLogicalUnitsRoundsHalvesUp) {
  const struct {
    int pixels, ppmm, logical;
  } rows[] = {{20, 4, 48}, {16, 3, 51}, {1, 16, 9}, {3, 16, 10}, {0, 4, 8}, {20, 0, 8}};
  for (const auto& r : rows)
    EXPECT_EQ(mui::checkWidthToLogical(r.pixels, r.ppmm), r.logical) << r.pixels << " " << r.ppmm;
}

// The built-in check box is 16 pixels wide: 42.67 logical units at ppmm 3.
TEST(MuiWvw, TheSingletonMeasuresTheCheckBoxIntoTheLastSize) {
  const mui::MuiSizes defaults = mui::logicalSizes;
  {
    Setting ppmm(gfxutil::ppmm, "3");
    gwtest::WvwBackEnd backEnd;
    EXPECT_EQ(mui::logicalSizes[mui::MuiSizes::CheckWidth], 43 + 8);
    EXPECT_EQ(mui::sizes[mui::MuiSizes::CheckWidth], 19);
    EXPECT_EQ(mui::sizes[mui::MuiSizes::Spacing], 6);
  }
  mui::setLogicalSizes(defaults);
}

TEST(MuiWvw, DebugLayoutGivesEveryCallAStyleOfItsOwn) {
  gwtest::WvwBackEnd backEnd;
  mui::MuiWvw& m = backEnd.mui();
  EXPECT_EQ(m.getDefaultStyle(), &m.style());
  EXPECT_EQ(m.getDefaultStyle(), m.getDefaultStyle());
  Setting debug(mui::debugLayout, "1");
  const wvw::WStyle* a = m.getDefaultStyle();
  const wvw::WStyle* b = m.getDefaultStyle();
  EXPECT_NE(a, b);
  EXPECT_NE(a, &m.style());
  // Copies of the shared style, but for the background.
  EXPECT_EQ(a->font, m.style().font);
  EXPECT_EQ(b->textColour, m.style().textColour);
}

TEST(MuiWvw, BrokenInvariantsStopTheProgram) {
  mui::MuElement bare(nullptr, "bare", nullptr);
  EXPECT_DEATH(mui::getWidget(nullptr), "Assertion 'element' failed");
  EXPECT_DEATH(mui::getWidget(&bare), "Assertion 'c' failed");
  gwtest::FakeMui fake;
  EXPECT_DEATH(mui::getMuiWvw(), "Assertion 'm' failed");
}

}  // namespace
