#include <gtest/gtest.h>

#include <memory>

#include "lib2/gfxutil/ScreenDensity.h"
#include "tests/support/FakeMui.h"

namespace {

// Sets ppmm for one test and puts it back.
class Ppmm {
 public:
  explicit Ppmm(int value) : old_(gfxutil::ppmm.getValue()) { gfxutil::ppmm.setParam(value, 0); }
  ~Ppmm() { gfxutil::ppmm.setParam(old_, 0); }

 private:
  int old_;
};

TEST(MuiSizes, LogicalSizesRoundToTheNearestPixelHalvesAwayFromZero) {
  struct Row {
    int ppmm;
    int logical;
    int pixels;
  } rows[] = {{4, 136, 68}, {4, 8, 4}, {3, 8, 3},   {3, 32, 12},
              {5, 8, 5},    {5, 1, 1}, {3, -8, -3}, {4, -1, -1}};
  const mui::MuiSizes defaults = mui::logicalSizes;
  for (const Row& r : rows) {
    Ppmm p(r.ppmm);
    mui::MuiSizes s = mui::logicalSizes;
    s[0] = r.logical;
    mui::setLogicalSizes(s);
    EXPECT_EQ(mui::sizes[0], r.pixels) << r.logical << " at ppmm " << r.ppmm;
  }
  mui::setLogicalSizes(defaults);
}

TEST(MuiSizes, TheDefaultsAtFourPixelsAMillimetre) {
  Ppmm p(4);
  gwtest::FakeMui backEnd;
  int expected[] = {8, 4, 8, 8, 24, 68, 16, 20};
  for (int i = 0; i < mui::MuiSizes::Count; i++) EXPECT_EQ(mui::sizes[i], expected[i]) << i;
}

TEST(MuiSizes, AChangeOfPpmmWaitsForTheNextConversion) {
  Ppmm p(4);
  mui::setLogicalSizes(mui::logicalSizes);
  Ppmm later(8);
  EXPECT_EQ(mui::sizes[mui::MuiSizes::ButtonMinWidth], 68);
}

TEST(Mui, DialogsStandInTheListWhileTheyLive) {
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> a(mui::muDialog("a", nullptr, {}, 0, nullptr, nullptr));
  std::unique_ptr<mui::MuDialog> b(mui::muDialog("b", nullptr, {}, 0, nullptr, nullptr));
  a.reset();
  EXPECT_EQ(backEnd.getDialogs(), std::vector<mui::MuDialog*>{b.get()});
}

TEST(Mui, ADialogOutlivingTheSingletonLeavesQuietly) {
  auto backEnd = std::make_unique<gwtest::FakeMui>();
  std::unique_ptr<mui::MuDialog> d(mui::muDialog("d", nullptr, {}, 0, nullptr, nullptr));
  backEnd.reset();
  d.reset();
}

TEST(Mui, CreatingFunctionsAddToTheParentAtOnce) {
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> d(mui::muDialog("d", nullptr, {}, 0, nullptr, nullptr));
  mui::MuLayout* l = mui::muLayout(d.get(), "l", mui::MuLayout::Vertical);
  EXPECT_EQ(d->numChildren(), 1);
  EXPECT_EQ(d->lookup(0), l);
}

TEST(Mui, BrokenInvariantsNameWhatIsMissing) {
  EXPECT_DEATH(mui::muLayout(nullptr, "l", mui::MuLayout::Vertical), "'muLayoutFactory'");
  EXPECT_DEATH(mui::muButton(nullptr, "b", "B", mui::MuButton::Text, 0, {}), "'muButtonFactory'");
  EXPECT_DEATH(mui::muStatic(nullptr, "s", "S", mui::MuStatic::Text), "'muStaticFactory'");
  EXPECT_DEATH(mui::muImage(nullptr, "i", "I", {}), "'muImageFactory'");
  EXPECT_DEATH(mui::muEdit(nullptr, "e", "E", mui::MuEdit::Text), "'muEditFactory'");
  EXPECT_DEATH(mui::Mui::get(), "Assertion 'mui' failed");
  EXPECT_DEATH(mui::Mui::set(nullptr), "Assertion 'mui_' failed");
  gwtest::FakeMui backEnd;
  EXPECT_DEATH(mui::muFrame(nullptr, "f", nullptr, mui::MuFrame::Plain),
               "Assertion 'parent' failed");
}

}  // namespace
