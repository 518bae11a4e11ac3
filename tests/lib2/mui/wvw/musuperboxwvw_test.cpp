#include "lib2/mui/wvw/MuSuperboxWvw.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/os/AppInfo.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/tx/TXUtil.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"
#include "tests/support/XServer.h"

namespace {

using mui::MuSuperbox;
using mui::MuSuperboxWvw;

// Writes down each key it is shown, and takes none.
struct KeyLog : MuSuperbox::Callback {
  bool handleKey(MuSuperbox*, int k) override {
    keys += std::to_string(k) + " ";
    return false;
  }
  std::string keys;
};

// The box off screen; its popup is a dialog of the X11 back-end, which
// needs the display.
class MuSuperboxWvwTest : public gwtest::ControlsHost {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  MuSuperboxWvw* add() {
    return static_cast<MuSuperboxWvw*>(mui::muSuperbox(&root, "box", "Host:", &keyLog, 80));
  }
  KeyLog keyLog;
};

TEST_F(MuSuperboxWvwTest, TheEntryRunsUnderTheDropButtonToTheRowsRightEdge) {
  MuSuperboxWvw* box = add();
  box->row()->setSize({200, 22});
  EXPECT_EQ(box->entry()->getSize().x, 185);
  EXPECT_EQ(box->row()->getChildPos(box->dropButton()), plat::Point(181, 0));
  show();
  plat::Rect r = box->getComboboxRect();
  EXPECT_EQ(r.br.x, box->getSize().x);
  EXPECT_GT(r.tl.x, 0);  // the label comes first
}

TEST_F(MuSuperboxWvwTest, TypingIsAnEventAndATextThePogramSetsIsNot) {
  MuSuperboxWvw* box = add();
  show();
  host.focusWindow(true);
  EXPECT_TRUE(box->setText("alpha"));
  EXPECT_EQ(box->entry()->getSelLength(), -5);  // all selected, cursor at the end
  EXPECT_TRUE(recorder.events.empty());
  box->focus();
  host.press('x');
  EXPECT_STREQ(box->getText(), "x");
  EXPECT_EQ(recorder.events, std::vector<std::string>{"box 0"});
}

TEST_F(MuSuperboxWvwTest, ATooLongTextIsCutAtTheLimitAndSaysSo) {
  MuSuperboxWvw* box = add();
  std::string text(MuSuperboxWvw::TextLimit + 1, 'k');
  EXPECT_FALSE(box->setText(text.c_str()));
  EXPECT_EQ(std::string(box->getText()), text.substr(0, MuSuperboxWvw::TextLimit));
}

TEST_F(MuSuperboxWvwTest, TheDropButtonClicksAndHandsTheFocusToTheEntry) {
  MuSuperboxWvw* box = add();
  show();
  host.focusWindow(true);
  click(box);  // the middle of the box is the entry's
  recorder.events.clear();
  plat::Point b = box->getPos() + box->getComboboxRect().tl +
                  box->row()->getChildPos(box->dropButton()) + plat::Point(5, 5);
  host.pointer(b, 0);
  host.pointer(b, 1);
  host.pointer(b, 0);
  EXPECT_EQ(recorder.events, std::vector<std::string>{"box 1"});
  EXPECT_TRUE(box->entry()->hasFocus());
}

TEST_F(MuSuperboxWvwTest, EscapeAndReturnCountWhenLetGoAndOtherKeysWhenPressed) {
  MuSuperboxWvw* box = add();
  show();
  host.focusWindow(true);
  box->focus();
  const struct {
    const char* name;
    unsigned key;
    bool down;
    bool heard;
  } rows[] = {
      {"escape down", fb::keysym::Escape, true, false},
      {"escape up", fb::keysym::Escape, false, true},
      {"return down", fb::keysym::Return, true, false},
      {"return up", fb::keysym::Return, false, true},
      {"letter down", 'q', true, true},
      {"letter up", 'q', false, false},
  };
  for (const auto& r : rows) {
    keyLog.keys.clear();
    host.key(r.key, r.down);
    EXPECT_EQ(keyLog.keys, r.heard ? std::to_string(r.key) + " " : "") << r.name;
  }
}

}  // namespace
