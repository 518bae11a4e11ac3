#include "lib2/mui/MuConfigDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "lib2/mui/Mui.h"
#include "tests/lib2/mui/ConfigFixture.h"

namespace {

using gwtest::fake;
using mui::MuButtonBar;
using mui::MuConfigSection;

class MuConfigDialogTest : public gwtest::ConfigFixture {
 protected:
  // The ids of the pages in order, e.g. "a b".
  std::string pages() {
    std::string s;
    for (int i = 0; i < dialog->getNumPages(); i++)
      s += std::string(i ? " " : "") + dialog->getPageSection(i)->getId();
    return s;
  }
  // The titles in the list, in the same form.
  std::string rows() {
    std::string s;
    for (int i = 0; i < dialog->getList()->getRowCount(); i++)
      s += std::string(i ? " " : "") + dialog->getList()->getCell(i, 1);
    return s;
  }
  std::string current() {
    MuConfigSection* s = dialog->getCurrentSection();
    return s ? s->getId() : "";
  }
  // The section whose page the pager shows.
  std::string shown() {
    mui::MuPager* pager = dialog->getPager();
    for (int i = 0; i < dialog->getNumPages(); i++)
      if (dialog->getPageSection(i)->getPage() == pager->lookup(pager->getCurrent()))
        return dialog->getPageSection(i)->getId();
    return "";
  }
  bool dialogShown() { return fake(dialog->getDialog()).shown; }
};

TEST_F(MuConfigDialogTest, APolicyValueLocksItsControlAndShowsTheBanner) {
  stored.set("Alpha", "1", Policy);
  remake(false);
  MuConfigSection* locked = section("locked", 10, {"Alpha", "Beta"});
  section("free", 20, {"Gamma"});
  dialog->show(nullptr);
  gwtest::FakeCheck* alphaBox = check(locked, "Alpha");
  EXPECT_EQ(alphaBox->state, 1);
  EXPECT_TRUE(alphaBox->getFlags() & mui::MuElement::Locked);
  EXPECT_FALSE(fake(alphaBox).usable);
  EXPECT_TRUE(bannerShown());
  mui::MuElement* text =
      dialog->getPolicyBanner().getFrame()->lookupElement("split.textLayout.text");
  EXPECT_STREQ(text->getLabel(),
               "Some settings on this page are controlled by your system administrator.");
  check(locked, "Beta")->click();
  EXPECT_EQ(value("Beta"), "0");
  EXPECT_EQ(priority("Beta"), Preference);
  dialog->selectPageNum(1);
  EXPECT_FALSE(bannerShown());
  dialog->selectPageNum(0);
  EXPECT_TRUE(bannerShown());
}

// Changing a box back does not disable Apply; Apply saves what changed,
// and an untouched parameter keeps its priority everywhere.
TEST_F(MuConfigDialogTest, ApplyTracksChangesAndWritesOnlyWhatChanged) {
  MuConfigSection* s = section("s", 0, {"Alpha", "Beta"});
  dialog->show(nullptr);
  EXPECT_FALSE(applyEnabled());
  check(s, "Alpha")->click();
  EXPECT_TRUE(applyEnabled());
  check(s, "Alpha")->click();
  EXPECT_TRUE(applyEnabled());
  check(s, "Alpha")->click();
  click(MuButtonBar::Apply);
  EXPECT_FALSE(applyEnabled());
  EXPECT_TRUE(dialogShown());
  EXPECT_EQ(dialog->saves, 1);
  EXPECT_EQ(value("Alpha", true), "1");
  EXPECT_EQ(priority("Alpha", true), Preference);
  EXPECT_EQ(priority("Beta", true), Default);
  EXPECT_EQ(priority("Beta"), Default);
  click(MuButtonBar::Apply);
  EXPECT_EQ(dialog->saves, 1);
}

// The edits of a cancelled dialog reach nothing stored; a finish that
// drops them makes the next show start from what is stored.
TEST_F(MuConfigDialogTest, CancelLeavesTheStoredConfigurationAndTheNextShowStartsFromIt) {
  MuConfigSection* s = section("s", 0, {"Alpha"});
  dialog->show(nullptr);
  check(s, "Alpha")->click();
  EXPECT_EQ(value("Alpha"), "1");
  click(MuButtonBar::Cancel);
  EXPECT_FALSE(dialogShown());
  EXPECT_EQ(dialog->finishes, 1);
  EXPECT_EQ(dialog->saves, 0);
  EXPECT_EQ(value("Alpha", true), "0");
  dialog->show(nullptr);
  EXPECT_EQ(check(s, "Alpha")->state, 0);
  EXPECT_FALSE(applyEnabled());
  EXPECT_EQ(dialog->loads, 2);
}

TEST_F(MuConfigDialogTest, OkSavesOnlyWhatChangedAndEverySectionAccepts) {
  struct Judged : MuConfigSection {
    using MuConfigSection::MuConfigSection;
    bool validate() override { return asked++, verdict; }
    int asked = 0;
    bool verdict = true;
  };
  const struct {
    const char* name;
    bool change;
    bool verdict;
    int asked;
    int saves;
    bool open;
  } rowTable[] = {
      {"nothing changed", false, true, 0, 0, false},
      {"changed", true, true, 1, 1, false},
      {"refused", true, false, 1, 0, true},
  };
  for (const auto& r : rowTable) {
    SCOPED_TRACE(r.name);
    remake(false);
    auto* s = new Judged(dialog.get(), nullptr, "s", "S", 0);
    s->paramChk("Alpha", "A", nullptr);
    s->verdict = r.verdict;
    dialog->addSection(s);
    dialog->show(nullptr);
    if (r.change) check(s, "Alpha")->click();
    click(MuButtonBar::Ok);
    EXPECT_EQ(s->asked, r.asked);
    EXPECT_EQ(dialog->saves, r.saves);
    EXPECT_EQ(dialogShown(), r.open);
    EXPECT_EQ(dialog->finishes, r.open ? 0 : 1);
    EXPECT_EQ(applyEnabled(), r.open);
  }
}

TEST_F(MuConfigDialogTest, PagesFollowTheirOrderThenTheOrderFiled) {
  section("b", 50);
  section("a", 10);
  section("c", 50);
  EXPECT_EQ(pages(), "a b c");
  EXPECT_EQ(rows(), "a b c");
  EXPECT_STREQ(dialog->getList()->getCell(0, 0), "a");
}

// The tabs stand in the order the sections were built, the pages in their
// order: a tab shows its own section.
TEST_F(MuConfigDialogTest, ATabShowsTheSectionOfThatTab) {
  remake(true);
  section("late", 50, {"Alpha"});
  section("early", 10, {"Beta"});
  dialog->show(nullptr);
  EXPECT_EQ(current(), "early");
  EXPECT_EQ(shown(), "early");
  dialog->getPager()->tabChangedViaUi(0);
  EXPECT_EQ(current(), "late");
  EXPECT_EQ(shown(), "late");
  dialog->getPager()->tabChangedViaUi(1);
  EXPECT_EQ(current(), "early");
}

TEST_F(MuConfigDialogTest, RemovingAPageKeepsThePagesTheListAndThePageShownInStep) {
  const struct {
    const char* name;
    const char* shownFirst;
    const char* removed;
    const char* pages;
    const char* current;
  } rowTable[] = {
      {"a page before the one shown", "c", "a", "b c", "c"},
      {"the page shown", "b", "b", "a c", "a"},
      {"the first page, shown", "a", "a", "b c", "b"},
      {"a page not filed", "a", "z", "a b c", "a"},
  };
  for (const auto& r : rowTable) {
    SCOPED_TRACE(r.name);
    remake(false);
    for (const char* id : {"a", "b", "c"}) section(id, 0);
    dialog->show(r.shownFirst);
    dialog->removeSection(r.removed);
    EXPECT_EQ(pages(), r.pages);
    EXPECT_EQ(rows(), r.pages);
    EXPECT_EQ(current(), r.current);
    EXPECT_EQ(shown(), r.current);
    EXPECT_EQ(dialog->getList()->getSelectedRow(), dialog->getCurrentPage());
    dialog->getList()->setSelectedRow(1);
    dialog->getList()->dispatchEvent(dialog->getList(), mui::MuEventChanged);
    EXPECT_EQ(current(), dialog->getPageSection(1)->getId());
  }
}

TEST_F(MuConfigDialogTest, RemovingTheLastPageLeavesNoneCurrent) {
  section("only", 0, {"Alpha"});
  dialog->show(nullptr);
  dialog->removeSection("only");
  EXPECT_EQ(dialog->getCurrentPage(), -1);
  dialog->updateUi();
  EXPECT_FALSE(bannerShown());
  section("next", 0);
  EXPECT_EQ(current(), "next");
}

// Their pages live in its page, and their parent link would name it.
TEST_F(MuConfigDialogTest, RemovingASectionRemovesTheSectionsNestedInIt) {
  MuConfigSection* top = section("top", 0);
  MuConfigSection* group = section("group", 0, {"Alpha"}, top);
  section("inner", 0, {"Beta"}, group);
  section("other", 1);
  dialog->show("inner");
  EXPECT_EQ(current(), "top");
  dialog->removeSection("top");
  EXPECT_EQ(dialog->getSection("group"), nullptr);
  EXPECT_EQ(dialog->getSection("inner"), nullptr);
  EXPECT_EQ(current(), "other");
  dialog->updateUi();
}

TEST_F(MuConfigDialogTest, ASectionWhoseIdIsTakenOverIsStillDeletedWithTheDialog) {
  struct Counted : MuConfigSection {
    Counted(mui::MuConfigDialog* d, int* deaths)
        : MuConfigSection(d, nullptr, "s", "S", 0), n(deaths) {}
    ~Counted() override { ++*n; }
    int* n;
  };
  int deaths = 0;
  auto* first = new Counted(dialog.get(), &deaths);
  dialog->addSection(first);
  auto* second = new Counted(dialog.get(), &deaths);
  dialog->addSection(second);
  EXPECT_EQ(dialog->getSection("s"), second);
  EXPECT_EQ(dialog->getNumPages(), 2);
  dialog.reset();
  EXPECT_EQ(deaths, 2);
}

// Escape clicks Cancel and Return is left to the focused control; finish
// may delete the dialog from inside the click or the close.
TEST_F(MuConfigDialogTest, CancelEscapeAndClosingFinish) {
  const struct {
    const char* name;
    void (*act)(mui::MuDialog*);
  } ways[] = {
      {"Escape", [](mui::MuDialog* d) { EXPECT_TRUE(d->handleActionKey(mui::ActionKeyEscape)); }},
      {"close", [](mui::MuDialog* d) { EXPECT_TRUE(d->close()); }},
  };
  for (bool deleting : {false, true}) {
    for (const auto& w : ways) {
      SCOPED_TRACE(std::string(w.name) + (deleting ? ", deleting" : ""));
      remake(false);
      section("s", 0);
      dialog->show(nullptr);
      EXPECT_FALSE(dialog->getDialog()->handleActionKey(mui::ActionKeyReturn));
      int finished = 0;
      dialog->onFinish = [&] {
        finished++;
        if (deleting) dialog.reset();
      };
      w.act(dialog->getDialog());
      EXPECT_EQ(finished, 1);
      EXPECT_EQ(dialog == nullptr, deleting);
    }
  }
}

// Every section is refreshed, whatever its page; the dialog is as wide as
// the list and a page side by side, unless tabs take the list's place.
TEST_F(MuConfigDialogTest, ShowRefreshesEverySectionAndPicksThePage) {
  const struct {
    const char* name;
    const char* id;
    const char* current;
  } rowTable[] = {
      {"no id", nullptr, "a"},
      {"a page", "b", "b"},
      {"a nested section", "n", "b"},
      {"an id not filed", "x", "a"},
  };
  for (bool noList : {false, true}) {
    for (const auto& r : rowTable) {
      SCOPED_TRACE(std::string(r.name) + (noList ? ", tabs" : ", list"));
      remake(noList);
      dialog->getConfig()->set("Gamma", "1", Preference);
      section("a", 10);
      MuConfigSection* b = section("b", 20);
      MuConfigSection* n = section("n", 0, {"Gamma"}, b);
      dialog->show(r.id);
      EXPECT_EQ(current(), r.current);
      EXPECT_EQ(check(n, "Gamma")->state, 1);
      int width = noList ? 300
                         : 300 + 2 * mui::sizes[mui::MuiSizes::DialogInset] +
                               mui::sizes[mui::MuiSizes::Spacing];
      EXPECT_EQ(dialog->getDialog()->getSize().x, width);
    }
  }
}

TEST_F(MuConfigDialogTest, APageFiledWhileAnotherShowsLeavesThatOneShown) {
  section("b", 20);
  dialog->show(nullptr);
  section("a", 10);
  EXPECT_EQ(current(), "b");
  EXPECT_EQ(dialog->getList()->getSelectedRow(), 1);
  dialog->updateUi();
  EXPECT_EQ(shown(), "b");
}

}  // namespace
