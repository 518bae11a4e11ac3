#include <gtest/gtest.h>

#include <memory>

#include "tests/support/FakeMui.h"

namespace {

using gwtest::fake;
using gwtest::fakeLeaf;
using mui::MuElement;
using mui::MuLayout;

class MuLayoutTest : public ::testing::Test {
 protected:
  MuLayout* make(MuLayout::Type type, plat::Point size, int spacing = 8) {
    MuLayout* l = mui::muLayout(dialog.get(), "l", type);
    l->setSpacing(spacing);
    fake(l).size = size;
    return l;
  }

  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{mui::muDialog("d", nullptr, {}, 0, nullptr, nullptr)};
};

TEST_F(MuLayoutTest, FixedAndWeightedChildrenShareTheColumn) {
  MuLayout* l = make(MuLayout::Vertical, {50, 100});
  MuElement* fixed = fakeLeaf(l, "fixed");
  MuElement* one = fakeLeaf(l, "one");
  MuElement* two = fakeLeaf(l, "two");
  l->resizeChild(fixed, MuLayout::Fixed, 20);
  l->resizeChild(one, MuLayout::Weighted, 1);
  l->resizeChild(two, MuLayout::Weighted, 2);
  l->layoutChildren();
  EXPECT_EQ(fake(fixed).pos.y, 0);
  EXPECT_EQ(fake(one).pos.y, 28);
  EXPECT_EQ(fake(one).size, plat::Point(50, 21));
  EXPECT_EQ(fake(two).pos.y, 57);
  EXPECT_EQ(fake(two).size.y, 42);
}

TEST_F(MuLayoutTest, AHiddenChildTakesNeitherSpaceNorSpacing) {
  MuLayout* l = make(MuLayout::Vertical, {50, 100});
  fakeLeaf(l, "hidden", 0, 30)->show(false);
  MuElement* shown = fakeLeaf(l, "shown", 0, 30);
  l->layoutChildren();
  EXPECT_EQ(fake(shown).pos.y, 0);
  EXPECT_EQ(l->getMinHeight(50), 30);
}

TEST_F(MuLayoutTest, ANaturalChildGetsItsMinimumAtTheCrossLength) {
  MuLayout* l = make(MuLayout::Horizontal, {500, 30});
  MuElement* e = fakeLeaf(l, "e");
  fake(e).minWidth = [](int h) { return h * 2; };
  l->layoutChildren();
  EXPECT_EQ(fake(e).size, plat::Point(60, 30));
}

TEST_F(MuLayoutTest, CrossAlignment) {
  struct Row {
    const char* name;
    int mode;
    int x;
    int width;
  } rows[] = {
      {"fill", MuLayout::Natural, 0, 200},
      {"start", MuLayout::AlignStart, 0, 50},
      {"end", MuLayout::AlignEnd, 150, 50},
      {"centre", MuLayout::AlignCentre, 75, 50},
  };
  for (const Row& r : rows) {
    MuLayout* l = make(MuLayout::Vertical, {200, 100});
    MuElement* e = fakeLeaf(l, "e", 50, 10);
    l->resizeChild(e, r.mode, 0);
    l->layoutChildren();
    EXPECT_EQ(fake(e).pos.x, r.x) << r.name;
    EXPECT_EQ(fake(e).size.x, r.width) << r.name;
    dialog->removeChild(l);
  }
}

TEST_F(MuLayoutTest, WeightsSummingToZeroGiveNoSpaceInsteadOfDividingByZero) {
  MuLayout* l = make(MuLayout::Vertical, {50, 100});
  MuElement* e = fakeLeaf(l, "e", 10, 10);
  l->resizeChild(e, MuLayout::Weighted, 0);
  l->layoutChildren();
  EXPECT_EQ(fake(e).size, plat::Point(50, 0));
  EXPECT_EQ(l->getMinWidth(100), 10);
}

TEST_F(MuLayoutTest, ALayoutTooSmallGivesNoNegativeSizes) {
  MuLayout* l = make(MuLayout::Vertical, {50, 10});
  MuElement* fixed = fakeLeaf(l, "fixed");
  MuElement* weighted = fakeLeaf(l, "weighted");
  l->resizeChild(fixed, MuLayout::Fixed, 40);
  l->resizeChild(weighted, MuLayout::Weighted, 1);
  l->layoutChildren();
  EXPECT_EQ(fake(weighted).size.y, 0);
  EXPECT_EQ(fake(weighted).pos.y, 48);
}

TEST_F(MuLayoutTest, MinimumSizes) {
  MuLayout* l = make(MuLayout::Vertical, {0, 0});
  EXPECT_EQ(l->getMinHeight(100), -8);
  EXPECT_EQ(l->getMinWidth(100), 0);
  MuElement* fixed = fakeLeaf(l, "fixed", 70, 5);
  MuElement* natural = fakeLeaf(l, "natural", 40, 15);
  MuElement* weighted = fakeLeaf(l, "weighted");
  fake(weighted).minWidth = [](int h) { return 1000 / (h > 0 ? h : 1); };
  fake(weighted).minHeight = [](int) { return 25; };
  l->resizeChild(fixed, MuLayout::Fixed, 20);
  l->resizeChild(weighted, MuLayout::Weighted, 1);
  EXPECT_EQ(l->getMinHeight(100), 20 + 15 + 25 + 2 * 8);
  // Across: the weighted child gets 100 - 16 - 20 - 15 = 49 pixels of height.
  EXPECT_EQ(l->getMinWidth(100), 70);
  EXPECT_EQ(l->getMinWidth(62), 1000 / 11);
  (void)natural;
}

TEST_F(MuLayoutTest, ReorderingKeepsModeAndSize) {
  MuLayout* l = make(MuLayout::Horizontal, {300, 20});
  MuElement* a = fakeLeaf(l, "a");
  MuElement* b = fakeLeaf(l, "b");
  MuElement* c = fakeLeaf(l, "c");
  MuElement stranger(nullptr, "s", nullptr);
  l->resizeChild(a, MuLayout::Fixed, 30);
  struct Row {
    const char* name;
    MuElement* child;
    MuLayout::ReorderOp op;
    MuElement* ref;
    const char* order;
  } rows[] = {
      {"a after the last", a, MuLayout::After, c, "bca"},
      {"c to the start", c, MuLayout::ToStart, nullptr, "cba"},
      {"c before a", c, MuLayout::Before, a, "bca"},
      {"b before a stranger", b, MuLayout::Before, &stranger, "cab"},
      {"c to the end", c, MuLayout::ToEnd, nullptr, "abc"},
  };
  for (const Row& r : rows) {
    l->reorderChild(r.child, r.op, r.ref);
    std::string order;
    for (int i = 0; i < l->numChildren(); i++) order += l->lookup(i)->getId();
    EXPECT_EQ(order, r.order) << r.name;
  }
  EXPECT_EQ(fake(a).size.x, 30);
}

TEST_F(MuLayoutTest, ResizingAStrangerNamesBothFullIds) {
  MuLayout* l = make(MuLayout::Vertical, {0, 0});
  mui::MuLayout* other = mui::muLayout(dialog.get(), "other", MuLayout::Vertical);
  MuElement* e = fakeLeaf(other, "e");
  EXPECT_DEATH(l->resizeChild(e, MuLayout::Fixed, 1), "Element 'other.e' is not a child of 'l'");
  EXPECT_DEATH(l->reorderChild(e, MuLayout::ToEnd, nullptr), "Assertion 'i != children.end\\(\\)'");
}

}  // namespace
