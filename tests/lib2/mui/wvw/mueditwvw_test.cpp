#include "lib2/mui/wvw/MuEditWvw.h"

#include <gtest/gtest.h>

#include <string>

#include "lib2/wvw/Keysyms.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"
#include "tests/support/CaptureLogger.h"

namespace {

using mui::MuEdit;
using mui::MuEditWvw;
namespace keysym = wvw::keysym;

class MuEditWvwTest : public gwtest::ControlsHost {
 protected:
  MuEditWvw* add(MuEdit::Type type = MuEdit::Text) {
    return static_cast<MuEditWvw*>(mui::muEdit(&root, "e", "Name:", type));
  }
  // Shows the tree and gives the edit the keyboard.
  void focus(MuEditWvw* e) {
    show();
    host.focusWindow(true);
    e->focus();
  }
  void type(const char* keys) {
    for (const char* k = keys; *k; k++) host.press((unsigned char)*k);
  }

  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route{plat::LogWriter::getLogWriter("WText"), &logger, 100};
};

// The parameter box of the permissions dialog is such an edit: a long list
// of principals must come back out whole.
TEST_F(MuEditWvwTest, ALongTextIsKeptWholeAndOnlyAnOversizedOneIsCutAloud) {
  const struct {
    const char* name;
    std::string text;
    bool whole;
  } rows[] = {
      {"ten kilobytes", std::string(10 * 1024, 'u'), true},
      {"the whole capacity", std::string(MuEdit::MinCapacity, 'g'), true},
      {"one byte over", std::string(MuEdit::MinCapacity + 1, 'x'), false},
      {"a character across the end", std::string(MuEdit::MinCapacity - 1, 'x') + "\xC3\xA4", false},
  };
  for (const auto& r : rows) {
    MuEditWvw* e = add();
    logger.lines.clear();
    EXPECT_EQ(e->setText(r.text.c_str()), r.whole) << r.name;
    std::string kept = e->getText();
    if (r.whole) {
      EXPECT_EQ(kept, r.text) << r.name;
      EXPECT_TRUE(logger.lines.empty()) << r.name;
    } else {
      EXPECT_EQ(kept, r.text.substr(0, MuEdit::MinCapacity - (r.text.back() & 0x80 ? 1 : 0)))
          << r.name;
      ASSERT_EQ(logger.lines.size(), 1u) << r.name;
      EXPECT_EQ(logger.lines[0].level, 0) << r.name;
    }
    root.removeChild(e);
  }
}

TEST_F(MuEditWvwTest, OnlyTheUsersEditsAreEvents) {
  MuEditWvw* e = add();
  focus(e);
  e->setText("set by the program");
  EXPECT_TRUE(recorder.events.empty());
  host.press(keysym::Right);
  type("x");
  EXPECT_EQ(recorder.events, std::vector<std::string>{"e 0"});
  EXPECT_STREQ(e->getText(), "set by the programx");
}

TEST_F(MuEditWvwTest, TheNumericFilterRefusesKeysThatLeadNowhere) {
  const struct {
    const char* name;
    const char* keys;
    const char* text;
    int events;
  } rows[] = {
      {"a minus, then a digit", "-5", "-5", 2},
      {"a minus, then zero", "-0", "-", 1},
      {"a leading zero", "07", "0", 1},
      {"a space", " 4", "4", 1},
      {"a letter", "1a2", "12", 2},
  };
  for (const auto& r : rows) {
    MuEditWvw* e = add();
    e->setNumeric();
    focus(e);
    recorder.events.clear();
    type(r.keys);
    EXPECT_STREQ(e->getText(), r.text) << r.name;
    EXPECT_EQ(int(recorder.events.size()), r.events) << r.name;
    host.unhost();
    root.removeChild(e);
  }
}

TEST_F(MuEditWvwTest, TheSelectionIsGivenFromItsLowerEnd) {
  MuEditWvw* e = add();
  focus(e);
  type("abcd");
  host.press(keysym::Left, {keysym::Shift_L});
  host.press(keysym::Left, {keysym::Shift_L});
  int length = -1;
  EXPECT_EQ(e->getSelection(&length), 2);
  EXPECT_EQ(length, 2);
  e->setSelection(1, -1);
  EXPECT_EQ(e->getSelection(&length), 1);
  EXPECT_EQ(length, 3);
  e->setSelection(-1, 0);
  e->getSelection(&length);
  EXPECT_EQ(length, 0);
}

TEST_F(MuEditWvwTest, APasswordIsMaskedAndTheTipReachesLabelAndEntry) {
  MuEditWvw* e = add(MuEdit::Password);
  e->setTip("Your secret");
  EXPECT_TRUE(e->entry()->masked);
  EXPECT_STREQ(e->entry()->getTipText(), "Your secret");
  auto* labelText = static_cast<wvw::WLabelText*>(mui::getWidget(e));
  EXPECT_STREQ(labelText->getLabelWidget()->getTipText(), "Your secret");
}

}  // namespace
