#include "lib2/mui/MuButtonBar.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib1/loc/Localize.h"
#include "tests/support/FakeMui.h"

namespace {

using mui::MuButtonBar;
using mui::MuDialog;
using mui::MuElement;

struct Clicks : mui::MuObserver {
  void elementClicked(MuElement* source) override { heard += source->getId(); }
  std::string heard;
};

// The ids of the layout's children from the left, e.g. "spacer cancel ok";
// "-" for a child without an id.
std::string row(const mui::MuLayout* layout) {
  std::string s;
  for (int i = 0; i < layout->numChildren(); i++) {
    const char* id = layout->lookup(i)->getId();
    s += std::string(i ? " " : "") + (id ? id : "-");
  }
  return s;
}

class MuButtonBarTest : public ::testing::Test {
 protected:
  MuButtonBarTest() { dialog->registerObserver(&clicks, true); }
  // The id of the button the key clicks, "" for none.
  std::string clickedBy(mui::ActionKey key) {
    clicks.heard.clear();
    dialog->handleActionKey(key);
    return clicks.heard;
  }

  gwtest::FakeMui backEnd;
  std::unique_ptr<MuDialog> dialog{mui::muDialog("d", "D", {300, 200}, 0, nullptr, nullptr)};
  Clicks clicks;
};

TEST_F(MuButtonBarTest, StandardButtonsStandInTheirOrderWithReturnAndEscapeBound) {
  const struct {
    const char* name;
    int buttons;
    const char* row;
    const char* onReturn;
    const char* onEscape;
  } rows[] = {
      {"ok and cancel", MuButtonBar::Ok | MuButtonBar::Cancel, "spacer cancel ok", "ok", "cancel"},
      {"yes and no", MuButtonBar::Yes | MuButtonBar::No, "spacer no yes", "yes", "no"},
      {"help goes first", MuButtonBar::Help | MuButtonBar::Ok, "help spacer ok", "ok", ""},
      {"apply binds nothing", MuButtonBar::Apply, "spacer apply", "", ""},
      {"all of them", 0xFFF,
       "help spacer cancel apply ok continue save open finish back next no yes", "ok", "cancel"},
  };
  for (const auto& r : rows) {
    MuButtonBar bar(dialog.get(), r.buttons, true);
    EXPECT_EQ(row(bar.getLayout()), r.row) << r.name;
    EXPECT_EQ(clickedBy(mui::ActionKeyReturn), r.onReturn) << r.name;
    EXPECT_EQ(clickedBy(mui::ActionKeyEscape), r.onEscape) << r.name;
  }
}

// A custom button added after setButtons took the earlier ones away goes
// where the first custom button went, not after a button that is gone.
TEST_F(MuButtonBarTest, CustomButtonsStandRightToLeftBeforeTheGap) {
  MuButtonBar bar(dialog.get(), MuButtonBar::Ok, false);
  mui::MuButton* a = bar.addButton(MuButtonBar::Custom, "a", "A");
  bar.addButton(MuButtonBar::Custom, "b", "B");
  bar.addButton(MuButtonBar::Custom, nullptr, "C");
  EXPECT_EQ(row(bar.getLayout()), "- b a spacer ok");
  EXPECT_STREQ(a->getLabel(), "A");
  EXPECT_EQ(bar.lookupButton(MuButtonBar::Custom, "a"), a);
  EXPECT_EQ(bar.isButton(a), MuButtonBar::Custom);
  EXPECT_EQ(bar.lookupButton(MuButtonBar::Custom, nullptr)->getLabel(), std::string("C"));
  EXPECT_EQ(bar.lookupButton(MuButtonBar::Custom, "z"), nullptr);
  bar.setButtons(MuButtonBar::Cancel);
  bar.addButton(MuButtonBar::Custom, "d", "D");
  EXPECT_EQ(row(bar.getLayout()), "d spacer cancel");
  EXPECT_EQ(bar.lookupButton(MuButtonBar::Ok), nullptr);
}

TEST_F(MuButtonBarTest, OnlyASingleKnownBitMakesAButton) {
  MuButtonBar bar(dialog.get(), 0, false);
  for (int id : {0, MuButtonBar::Ok | MuButtonBar::Cancel, 8192, -1})
    EXPECT_EQ(bar.addButton(id, "x", "X"), nullptr) << id;
  EXPECT_EQ(row(bar.getLayout()), "spacer");
  EXPECT_EQ(bar.isButton(bar.getLayout()->lookup(0)), 0);
  EXPECT_EQ(bar.isButton(nullptr), 0);
}

TEST_F(MuButtonBarTest, ADialogGetsAFooterBandAnyOtherContainerALayout) {
  auto* column = mui::muLayout(dialog.get(), "column", mui::MuLayout::Vertical);
  {
    MuButtonBar inDialog(dialog.get(), MuButtonBar::Ok, false);
    ASSERT_NE(inDialog.getFrame(), nullptr);
    EXPECT_EQ(inDialog.getFrame()->getFrameType(), mui::MuFrame::Footer);
    EXPECT_EQ(dialog->lookupElement("buttons.layout"), inDialog.getLayout());
    EXPECT_EQ(dialog->lookup(-1), inDialog.getFrame());
    MuButtonBar inColumn(column, MuButtonBar::Ok, false);
    EXPECT_EQ(inColumn.getFrame(), nullptr);
    EXPECT_EQ(column->lookupElement("buttons"), inColumn.getLayout());
  }
  EXPECT_EQ(dialog->numChildren(), 1);
  EXPECT_EQ(column->numChildren(), 0);
}

TEST_F(MuButtonBarTest, LabelsFollowTheLanguage) {
  loc::Localize::inst()->init({});
  for (auto [language, ok, no] : {std::tuple{"en", "OK", "No"}, std::tuple{"es", "Aceptar", "No"},
                                  std::tuple{"de", "OK", "Nein"}}) {
    loc::localeParam.setParam(language, 50);
    MuButtonBar bar(dialog.get(), MuButtonBar::Ok | MuButtonBar::No, false);
    EXPECT_STREQ(bar.lookupButton(MuButtonBar::Ok)->getLabel(), ok) << language;
    EXPECT_STREQ(bar.lookupButton(MuButtonBar::No)->getLabel(), no) << language;
  }
  loc::localeParam.setParam("en", 50);
}

TEST_F(MuButtonBarTest, ACustomButtonAmongTheStandardOnesIsABrokenInvariant) {
  EXPECT_DEATH(MuButtonBar(dialog.get(), MuButtonBar::Ok | MuButtonBar::Custom, false),
               "Assertion '!\\(buttons & Custom\\)' failed");
}

}  // namespace
