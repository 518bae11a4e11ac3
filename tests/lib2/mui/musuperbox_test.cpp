#include "lib2/mui/MuSuperbox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib2/fb/Keysyms.h"
#include "lib2/mui/MuFactories.h"
#include "tests/support/FakeMui.h"

namespace {

using gwtest::fake;
using mui::MuSuperbox;

constexpr int kEscape = int(fb::keysym::Escape);
constexpr int kReturn = int(fb::keysym::Return);
constexpr int kTab = int(fb::keysym::Tab);
constexpr int kKeypadEnter = int(fb::keysym::KP_Enter);

// Takes the keys listed in `taken`, and writes down every key it is shown.
struct KeyTaker : MuSuperbox::Callback {
  bool handleKey(MuSuperbox*, int keysym) override {
    seen += std::to_string(keysym) + " ";
    return keysym == taken;
  }
  int taken = -1;
  std::string seen;
};

// A super-box "server" in a layout "main" of the dialog "opts", the layout
// at (10, 20) in the dialog, the box at (5, 6) in the layout.
class MuSuperboxTest : public ::testing::Test {
 protected:
  MuSuperboxTest() {
    dialog->setPos({100, 200});
    fake(main).pos = {10, 20};
    fake(box).pos = {5, 6};
    box->rowRect = plat::Rect(30, 0, 230, 22);
  }
  MuSuperbox* makeBox(MuSuperbox::Callback* cb) {
    return mui::muSuperbox(main, "server", "Server", cb, 120);
  }
  mui::MuElement* popup() const { return box->getPopup(); }

  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("opts", nullptr, {300, 200}, 0, nullptr, nullptr)};
  mui::MuLayout* main = mui::muLayout(dialog.get(), "main", mui::MuLayout::Vertical);
  KeyTaker keys;
  gwtest::FakeSuperbox* box = static_cast<gwtest::FakeSuperbox*>(makeBox(&keys));
};

TEST_F(MuSuperboxTest, ThePopupIsAClosedBorderlessDialogNamedAfterTheBoxAndItsDialog) {
  auto* p = box->getPopup();
  EXPECT_STREQ(p->getId(), "opts_main_server_popup");
  EXPECT_EQ(p->getParentDialog(), dialog.get());
  EXPECT_EQ(p->getDialogFlags(), mui::MuDialog::OverrideRedirect);
  EXPECT_EQ(p->getInset(), 0);
  EXPECT_EQ(p->getSize(), plat::Point(1, 120));
  EXPECT_FALSE(p->isShown());
  EXPECT_EQ(box->lookupSuperbox(nullptr), box);
  EXPECT_EQ(box->lookupSuperbox("x"), nullptr);
}

TEST_F(MuSuperboxTest, ThePopupOpensUnderTheEntryRowAsWideAsIt) {
  box->showPopup(true);
  EXPECT_TRUE(popup()->isShown());
  // Dialog (100,200) + layout (10,20) + box (5,6) + row (30, bottom 22).
  EXPECT_EQ(popup()->getPos(), plat::Point(145, 248));
  EXPECT_EQ(popup()->getSize(), plat::Point(200, 120));
  box->showPopup(false);
  EXPECT_FALSE(popup()->isShown());
}

TEST_F(MuSuperboxTest, EscapeReturnAndTabCloseThePopupAndOnlyEscapeOnAnOpenOneIsConsumed) {
  const struct {
    const char* name;
    int key;
    bool open;
    bool consumed;
  } rows[] = {
      {"escape, open", kEscape, true, true},  {"escape, closed", kEscape, false, false},
      {"return, open", kReturn, true, false}, {"keypad enter, open", kKeypadEnter, true, false},
      {"tab, open", kTab, true, false},       {"letter, open", 'a', true, false},
  };
  for (const auto& r : rows) {
    box->showPopup(r.open);
    EXPECT_EQ(box->keyPress(r.key), r.consumed) << r.name;
    EXPECT_EQ(popup()->isShown(), r.open && r.key == 'a') << r.name;
  }
}

TEST_F(MuSuperboxTest, TheCallbackSeesNormalisedKeysFirstAndMayKeepThemFromTheBox) {
  keys.taken = kEscape;
  box->showPopup(true);
  EXPECT_TRUE(box->keyPress(kEscape));
  EXPECT_TRUE(popup()->isShown());
  EXPECT_FALSE(box->keyPress(kKeypadEnter));
  EXPECT_EQ(keys.seen, std::to_string(kEscape) + " " + std::to_string(kReturn) + " ");
}

TEST_F(MuSuperboxTest, ABoxWithoutACallbackHandlesItsKeysItself) {
  MuSuperbox* bare = mui::muSuperbox(main, "bare", nullptr, nullptr, 50);
  bare->showPopup(true);
  EXPECT_FALSE(bare->keyPress('x'));
  EXPECT_TRUE(bare->keyPress(kEscape));
  EXPECT_FALSE(bare->getPopup()->isShown());
}

TEST_F(MuSuperboxTest, AnEmptyFactorySlotStopsTheProgram) {
  mui::muSuperboxFactory = nullptr;
  EXPECT_DEATH(mui::muSuperbox(main, "s", nullptr, nullptr, 10),
               "Assertion 'muSuperboxFactory' failed");
}

}  // namespace
