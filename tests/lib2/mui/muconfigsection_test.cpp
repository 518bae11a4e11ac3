#include "lib2/mui/MuConfigSection.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/Exception.h"
#include "lib2/mui/MuConfigDialog.h"
#include "tests/lib2/mui/ConfigFixture.h"

namespace {

using gwtest::fake;
using mui::MuConfigSection;

class MuConfigSectionTest : public gwtest::ConfigFixture {
 protected:
  // The ids of a container's children, e.g. "indent check".
  static std::string children(const mui::MuContainer* c) {
    std::string s;
    for (int i = 0; i < c->numChildren(); i++)
      s += std::string(i ? " " : "") + c->lookup(i)->getId();
    return s;
  }
};

TEST_F(MuConfigSectionTest, ThePageStandsWhereTheSectionStands) {
  const struct {
    const char* name;
    bool noList;
    bool nested;
    const char* title;
    const char* pageType;
    const char* fullId;  // the layout's
  } rows[] = {
      {"a page beside the list", false, false, "Page", "scroll", "pager.s.s"},
      {"a page under a tab", true, false, "Page", "layout", "pager.s"},
      {"a titled group", false, true, "Group", "frame", "pager.top.top.s.s"},
      {"an untitled group", false, true, nullptr, "layout", "pager.top.top.s"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.name);
    remake(r.noList);
    MuConfigSection* top = r.nested ? section("top", 0) : nullptr;
    auto* s = new MuConfigSection(dialog.get(), top, "s", r.title, 0);
    dialog->addSection(s);
    EXPECT_STREQ(s->getPage()->getType(), r.pageType);
    EXPECT_EQ(std::string(s->getLayout()->getFullId().get()),
              std::string("main.hsplit.") + r.fullId);
    if (!r.nested) {
      EXPECT_STREQ(dialog->getPager()->getPageTitle(0), r.title);
    }
  }
}

// Row "Y" holds "indent" and "check"; the check writes "1" or "0" and is
// usable only while "X" is true. Unbound, it writes nothing.
TEST_F(MuConfigSectionTest, ACheckWithAnEnablerStandsInARowAndFollowsIt) {
  for (bool bind : {true, false}) {
    SCOPED_TRACE(bind);
    remake(false);
    MuConfigSection* s = section("s", 0);
    mui::MuCheck* made =
        MuConfigSection::addCheck(s->getLayout(), s->getSync(), "Alpha", "A", "tip", "Gamma", bind);
    auto* row = static_cast<mui::MuContainer*>(s->getLayout()->lookupElement("Alpha"));
    EXPECT_EQ(children(row), "indent check");
    auto* box = static_cast<gwtest::FakeCheck*>(row->lookupElement("check"));
    EXPECT_EQ(box, made);
    EXPECT_EQ(std::string(fake(box).tip.get()), "tip");
    s->updateUi();
    EXPECT_FALSE(fake(box).usable);
    dialog->getConfig()->set("Gamma", "1", Preference);
    s->updateUi();
    EXPECT_TRUE(fake(box).usable);
    box->click();
    EXPECT_EQ(value("Alpha"), bind ? "1" : "0");
    EXPECT_EQ(priority("Alpha"), bind ? Preference : Default);
  }
}

TEST_F(MuConfigSectionTest, AMissingParameterThrowsBeforeAnythingIsBuilt) {
  MuConfigSection* s = section("s", 0);
  try {
    s->paramChk("Delta", "D", nullptr);
    FAIL() << "no exception";
  } catch (const plat::Exception& e) {
    EXPECT_STREQ(e.str(), "Parameter Delta not found");
  }
  EXPECT_EQ(s->getLayout()->numChildren(), 0);
}

TEST_F(MuConfigSectionTest, NothingIsWrittenWhileNoConfigurationIsAttached) {
  MuConfigSection* s = section("s", 0, {"Alpha"});
  click(mui::MuButtonBar::Cancel);  // the double's finish detaches the copy
  ASSERT_EQ(dialog->getConfig(), nullptr);
  check(s, "Alpha")->click();
  s->updateConfig();
  s->updateUi();
  EXPECT_EQ(priority("Alpha", true), Default);
}

TEST_F(MuConfigSectionTest, AnEmptyNestedSectionHidesUntilItHoldsAControl) {
  MuConfigSection* top = section("top", 0);
  MuConfigSection* group = section("group", 0, {}, top);
  group->updateUi();
  EXPECT_FALSE(fake(group->getPage()).shown);
  group->paramChk("Alpha", "A", nullptr);
  group->updateUi();
  EXPECT_TRUE(fake(group->getPage()).shown);
}

// Left in its parent's layout, the group's page would keep telling the
// deleted section of every change.
TEST_F(MuConfigSectionTest, DeletingANestedSectionTakesItsPageOutOfTheParent) {
  MuConfigSection* top = section("top", 0, {"Alpha"});
  section("group", 0, {"Beta"}, top);
  EXPECT_EQ(children(top->getLayout()), "Alpha group");
  dialog->removeSection("group");
  EXPECT_EQ(children(top->getLayout()), "Alpha");
  check(top, "Alpha")->click();
  EXPECT_EQ(value("Alpha"), "1");
}

using MuConfigSectionDeathTest = MuConfigSectionTest;

TEST_F(MuConfigSectionDeathTest, BindingWithoutAConfigurationIsABrokenInvariant) {
  MuConfigSection* s = section("s", 0);
  click(mui::MuButtonBar::Cancel);  // the double's finish detaches the copy
  EXPECT_DEATH(s->paramChk("Alpha", "A", nullptr), "No configuration attached for parameter Alpha");
}

}  // namespace
