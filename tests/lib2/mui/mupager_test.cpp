#include "lib2/mui/MuPager.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "tests/support/FakeMui.h"

namespace {

using gwtest::fakeLeaf;
using mui::MuElement;
using mui::MuPager;

// A pager of three pages, a, b and c, in a dialog.
class MuPagerTest : public ::testing::Test {
 protected:
  MuPagerTest() {
    for (const char* id : {"a", "b", "c"}) pages.push_back(fakeLeaf(pager, id));
  }
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("dlg", nullptr, {300, 200}, 0, nullptr, nullptr)};
  MuPager* pager = mui::muPager(dialog.get(), "pager", MuPager::Tabs);
  std::vector<MuElement*> pages;
};

TEST_F(MuPagerTest, PagesAreFoundByIndexFromEitherEndAndById) {
  const struct {
    int index;
    MuElement* page;
  } rows[] = {{0, pages[0]},  {2, pages[2]}, {-1, pages[2]},
              {-3, pages[0]}, {3, nullptr},  {-4, nullptr}};
  for (const auto& r : rows) EXPECT_EQ(pager->lookup(r.index), r.page) << r.index;
  EXPECT_EQ(dialog->lookupElement("pager.b"), pages[1]);
}

TEST_F(MuPagerTest, BrokenInvariantsStopTheProgram) {
  MuElement stranger(nullptr, "stranger", nullptr);
  EXPECT_DEATH(pager->childAdded(nullptr), "Assertion 'element' failed");
  EXPECT_DEATH(pager->childRemoved(&stranger), "Assertion 'i != pages.end\\(\\)' failed");
  EXPECT_DEATH(pager->tabChangedViaUi(3), "Assertion 'isValid\\(i\\)' failed");
  mui::muPagerFactory = nullptr;
  mui::muScrollFactory = nullptr;
  mui::muSliderFactory = nullptr;
  EXPECT_DEATH(mui::muPager(pager, "p", MuPager::Plain), "Assertion 'muPagerFactory' failed");
  EXPECT_DEATH(mui::muScroll(pager, "s", 0), "Assertion 'muScrollFactory' failed");
  EXPECT_DEATH(mui::muSlider(pager, "s", 0), "Assertion 'muSliderFactory' failed");
}

}  // namespace
