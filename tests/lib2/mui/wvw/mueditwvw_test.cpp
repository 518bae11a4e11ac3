#include "lib2/mui/wvw/MuEditWvw.h"

#include <gtest/gtest.h>

#include <string>

#include "lib2/fb/Keysyms.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"
#include "tests/support/CaptureLogger.h"

namespace {

using mui::MuEdit;
using mui::MuEditWvw;

class MuEditWvwTest : public gwtest::ControlsHost {
 protected:
  MuEditWvw* add(MuEdit::Type type = MuEdit::Text) {
    return static_cast<MuEditWvw*>(mui::muEdit(&root, "e", "Name:", type));
  }
  // Shows the tree, gives the edit the keyboard and types keys.
  void type(MuEditWvw* e, const char* keys) {
    show();
    host.focusWindow(true);
    e->focus();
    for (const char* k = keys; *k; k++) host.press((unsigned char)*k);
  }
};

// The parameter box of the permissions dialog is such an edit: a long list
// of principals must come back out whole.
TEST_F(MuEditWvwTest, ALongTextIsKeptWholeAndOnlyAnOversizedOneIsCutAloud) {
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route{plat::LogWriter::getLogWriter("WText"), &logger, 100};
  const int n = MuEdit::MinCapacity;
  const struct {
    const char* name;
    std::string text;
    size_t kept;
  } rows[] = {
      {"ten kilobytes", std::string(10 * 1024, 'u'), 10 * 1024},
      {"the whole capacity", std::string(n, 'g'), size_t(n)},
      {"one byte over", std::string(n + 1, 'x'), size_t(n)},
      {"a character across the end", std::string(n - 1, 'x') + "\xC3\xA4", size_t(n - 1)},
  };
  for (const auto& r : rows) {
    MuEditWvw* e = add();
    logger.lines.clear();
    bool whole = r.kept == r.text.size();
    EXPECT_EQ(e->setText(r.text.c_str()), whole) << r.name;
    EXPECT_EQ(std::string(e->getText()), r.text.substr(0, r.kept)) << r.name;
    EXPECT_EQ(logger.lines.size(), whole ? 0u : 1u) << r.name;
  }
}

TEST_F(MuEditWvwTest, TheNumericFilterRefusesKeysThatLeadNowhere) {
  const struct {
    const char* name;
    const char* keys;
    const char* text;
  } rows[] = {
      {"a minus, then a digit", "-5", "-5"},
      {"a minus, then zero", "-0", "-"},
      {"a letter", "1a2", "12"},
  };
  for (const auto& r : rows) {
    MuEditWvw* e = add();
    e->setNumeric();
    recorder.events.clear();
    type(e, r.keys);
    EXPECT_STREQ(e->getText(), r.text) << r.name;
    EXPECT_EQ(recorder.events.size(), strlen(r.text)) << r.name << ": one event per edit";
    host.unhost();
    root.removeChild(e);
  }
}

TEST_F(MuEditWvwTest, TheSelectionIsGivenFromItsLowerEnd) {
  MuEditWvw* e = add();
  type(e, "abcd");
  host.press(fb::keysym::Left, {fb::keysym::Shift_L});
  host.press(fb::keysym::Left, {fb::keysym::Shift_L});
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

}  // namespace
