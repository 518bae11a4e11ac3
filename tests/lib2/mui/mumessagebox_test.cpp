#include "lib2/mui/MuMessageBox.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/FakeMui.h"

namespace {

using gwtest::fake;
using mui::MuDialog;
using mui::MuMessageBox;

class MuMessageBoxTest : public ::testing::Test {
 protected:
  gwtest::FakeMui backEnd;
};

// A button set the box does not know still gets OK, so that it can be
// answered and closed.
TEST_F(MuMessageBoxTest, TheButtonSetDecidesButtonsDefaultAndClosing) {
  const struct {
    const char* name;
    int flags;
    const char* buttons;  // from the left, after the spacer
    const char* byDefault;
    bool closable;
  } rows[] = {
      {"ok", 0x10, "ok", "ok", true},
      {"ok and cancel", 1, "cancel ok", "ok", true},
      {"cancel by default", 1 | 0x200, "cancel ok", "cancel", true},
      {"yes and no", 4, "no yes", "yes", false},
      {"no by default", 4 | 0x100, "no yes", "no", false},
      {"unknown set 2", 2, "ok", "ok", true},
      {"unknown set 15", 15, "ok", "ok", true},
  };
  for (const auto& r : rows) {
    MuMessageBox box(nullptr, "Sure?", r.flags, nullptr, nullptr, false, nullptr);
    MuDialog* d = box.getDialog();
    auto* bar = static_cast<mui::MuLayout*>(d->lookupElement("main.buttons"));
    std::string buttons;
    for (int i = 1; i < bar->numChildren(); i++)
      buttons += std::string(i > 1 ? " " : "") + bar->lookup(i)->getId();
    EXPECT_EQ(buttons, r.buttons) << r.name;
    mui::MuElement* def = bar->lookupElement(r.byDefault);
    EXPECT_TRUE(fake(def).focused) << r.name;
    struct : mui::MuObserver {
      void elementClicked(mui::MuElement* e) override { heard = e->getId(); }
      std::string heard;
    } clicks;
    d->registerObserver(&clicks, true);
    d->handleActionKey(mui::ActionKeyReturn);
    EXPECT_EQ(clicks.heard, r.byDefault) << r.name;
    EXPECT_FALSE(d->handleActionKey(mui::ActionKeyEscape)) << r.name;
    EXPECT_EQ(!(d->getDialogFlags() & MuDialog::DisableClose), r.closable) << r.name;
    d->registerObserver(&clicks, false);
  }
}

TEST_F(MuMessageBoxTest, FlagsChooseTheIconAndTheDialogsKind) {
  const struct {
    const char* name;
    int flags;
    bool codeModal;
    bool owned;
    const char* icon;  // null: none
    int dialogFlags;
  } rows[] = {
      {"error", 0x10, true, false, "statusError", 83},
      {"question", 0x21, false, false, "statusQuestion", 67},
      {"warning, owned", 0x30, false, true, "statusWarning", 75},
      {"info, code-modal owned", 0x40, true, true, "statusInfo", 83},
      {"no icon", 0x84, false, false, nullptr, 71},
  };
  for (const auto& r : rows) {
    gwtest::FakeDialog owner("o", "O", {100, 100}, 0, nullptr, nullptr);
    MuMessageBox box(r.owned ? &owner : nullptr, "Hi", r.flags, nullptr, nullptr, r.codeModal,
                     nullptr);
    MuDialog* d = box.getDialog();
    EXPECT_EQ(d->getDialogFlags(), r.dialogFlags) << r.name;
    EXPECT_EQ(d->lookupElement("main.frame.split") != nullptr, r.icon != nullptr) << r.name;
    EXPECT_EQ(d->lookupElement(r.icon ? "main.frame.split.info" : "main.frame.info") != nullptr,
              true)
        << r.name;
    if (r.icon) {
      EXPECT_STREQ(MuMessageBox::getIconForFlags(r.flags), r.icon) << r.name;
    }
  }
}

TEST_F(MuMessageBoxTest, TheMessageIsBoldOnlyAboveADetail) {
  for (const char* detail : {"More about it.", "", static_cast<const char*>(nullptr)}) {
    MuMessageBox box(nullptr, "It failed.", 0, nullptr, detail, false, nullptr);
    auto* msg =
        static_cast<mui::MuStatic*>(box.getDialog()->lookupElement("main.frame.split.info.msg"));
    ASSERT_NE(msg, nullptr);
    const bool withDetail = detail && *detail;
    EXPECT_EQ(msg->isBold(), withDetail) << (detail ? detail : "null");
    EXPECT_EQ(box.getDialog()->lookupElement("main.frame.split.info.detail") != nullptr,
              withDetail);
  }
}

}  // namespace
