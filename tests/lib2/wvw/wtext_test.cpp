#include "lib2/wvw/WText.h"

#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WTextAutocomplete.h"
#include "lib2/wvw/WTextUnsignedNumberFilter.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;
namespace ks = fb::keysym;

namespace {

struct Field {
  explicit Field(WText* t, plat::Point size = plat::Point(120, 24)) : host(size), text(t) {
    host.host(text);
    host.focusWindow(true);
  }
  ~Field() { host.unhost(); }
  void type(const char* s) {
    for (; *s; s++) host.press((unsigned char)*s);
  }
  std::string state() {  // "text cursor/selection length"
    return text->getText() + (" " + std::to_string(text->getCursor())) + "/" +
           std::to_string(text->getSelLength());
  }
  // The pointer at the boundary n bytes into the text.
  void pointer(int n, int mask) {
    host.pointer(plat::Point(6 + text->textWidth(text->getText(), text->getText() + n), 12), mask);
  }
  WidgetHost host;
  WText* text;
  CaptureLogger logger;
  RouteWriter route{plat::LogWriter::getLogWriter("WText"), &logger, 100};
};

}  // namespace

TEST(WText, AKeystrokeThatDoesNotFitIsRefusedWithABellAndPushesNothingOut) {
  WText t(5, nullptr, false);
  Field f(&t);
  f.type("abcdef");
  EXPECT_EQ(f.state(), "abcde 5/0");
  f.host.press(ks::Home);
  f.type("X");
  EXPECT_EQ(f.state(), "abcde 0/0");
  EXPECT_EQ(f.host.bells, 2);
  for (unsigned k : {ks::End, ks::BackSpace, 0xE9u})
    f.host.press(k);  // e acute would end at byte 6
  EXPECT_STREQ(t.getText(), "abcd");
}

TEST(WText, WordMovementTreatsNonAsciiAsLettersAndNotPunctuation) {
  struct {
    const char* text;
    int cursor;
    unsigned key;
    int want;
  } rows[] = {
      {"one two", 6, ks::Left, 4},         // middle of a word: its start
      {"one two", 4, ks::Left, 0},         // just after a space: the previous word
      {"a caf\xC3\xA9s", 8, ks::Left, 2},  // non-ASCII letters are word characters
      {"x \xC2\xA0y", 0, ks::Right, 1},    // ends behind the word
      {"x;; yz", 1, ks::Right, 6},         // punctuation is skipped, not a word
  };
  for (const auto& r : rows) {
    WText t(64, r.text, false);
    Field f(&t);
    t.setCursorPos(r.cursor, false);
    f.host.press(r.key, {ks::Control_L});
    EXPECT_EQ(t.getCursor(), r.want) << r.text;
  }
}

TEST(WText, RefusedBackSpaceLeavesTextAndCursor) {
  WText t(64, "-5", false);
  Field f(&t);
  t.filter = WTextUnsignedNumberFilter::get();
  f.host.press(ks::BackSpace);  // "-" alone is no number
  EXPECT_EQ(f.state(), "-5 2/0");
}

TEST(WText, UnsignedNumberFilterAcceptsOnlyPlainDigitsThatFitAnInt) {
  WTextUnsignedNumberFilter* nf = WTextUnsignedNumberFilter::get();
  for (const char* ok : {"", "0", "2147483647"}) EXPECT_TRUE(nf->wtextFilter(nullptr, ok, -1));
  for (const char* bad : {"2147483648", "-1", "12a", " 12", "+3", "99999999999"})
    EXPECT_FALSE(nf->wtextFilter(nullptr, bad, -1)) << bad;
}

TEST(WText, DeadKeyComposesWithTheNextLetter) {
  WText t(64, nullptr, false);
  Field f(&t);
  for (unsigned k : {0xFE51u /* dead acute */, unsigned('e')}) f.host.press(k);
  EXPECT_STREQ(t.getText(), "\xC3\xA9");
}

TEST(WText, FocusWithTabHeldSelectsAllAndAClickDoesNot) {
  WText t(64, "abc", false);
  Field f(&t);
  f.host.focusWindow(false);
  for (int mask : {1, 0}) f.pointer(1, mask);
  f.host.focusWindow(true);
  EXPECT_EQ(t.getSelLength(), 0);
  f.host.key(ks::Tab, true);
  t.handleFocus(false, &t);
  EXPECT_EQ(t.getSelLength(), -3);
}

TEST(WText, PointerDragSelectsAndShiftPressExtends) {
  WText t(64, "abcdef", false);
  Field f(&t);
  f.pointer(1, 1);
  for (int mask : {1, 0}) f.pointer(4, mask);
  EXPECT_EQ(std::pair(t.getCursor(), t.getSelLength()), std::pair(4, -3));
  f.host.key(ks::Shift_L, true);
  f.pointer(6, 1);
  EXPECT_EQ(std::pair(t.getCursor(), t.getSelLength()), std::pair(6, -5));  // the anchor stays
}

TEST(WText, PasteDropsControlsAndIgnoresInvalidUtf8OrNothing) {
  WText t(64, "[]", false);
  Field f(&t);
  t.setCursorPos(1, false);
  f.host.cutText = std::string("a\tb\nc\x7f") + "d\x01";
  f.host.press('v', {ks::Control_L});
  EXPECT_STREQ(t.getText(), "[abcd]");
  f.host.cutText = "x\xC3";
  f.host.press('v', {ks::Control_L});
  t.select(1, 5);
  f.host.noCutText = true;
  f.host.press('v', {ks::Control_L});
  EXPECT_EQ(f.state(), "[abcd] 5/-4");
  f.host.noCutText = false;
  f.host.cutText = "";  // an empty text is pasted: the selection goes
  f.host.press('v', {ks::Control_L});
  EXPECT_EQ(f.state(), "[] 1/0");
}

TEST(WText, TextTheProgramGivesIsCutToTheLimitWithAnError) {
  WText t(4, nullptr, false);
  Field f(&t);
  t.setText("abc\xc3\xa9", true);  // e acute would end at byte 5
  t.select(1, -1);
  t.setMaxLen(2);  // the cursor and the selection are pulled in
  EXPECT_EQ(f.state(), "ab 2/-1");
  t.setMaxLen(4);
  t.setCursorPos(1, false);
  t.replaceSel("xyz", -1);  // cut from what goes in, not from what is there
  EXPECT_EQ(f.state(), "axyb 3/0");
  EXPECT_TRUE(f.logger.has("text of 5 bytes cut to the field's 4") &&
              f.logger.has("text of 3 bytes cut to the field's 2") &&
              f.logger.has("inserted text of 3 bytes cut to the field's 4"));
}

TEST(WText, PasteThatDoesNotFitIsRefusedWithABell) {
  WText t(6, "abc", false);
  Field f(&t);
  f.host.cutText = "wxyz";
  f.host.press('v', {ks::Control_L});
  EXPECT_TRUE(f.state() == "abc 3/0" && f.host.bells == 1) << f.state();
  EXPECT_TRUE(f.logger.has("paste refused: it does not fit in the field's 6 bytes"));
  t.select(1, 3);  // replacing two bytes leaves room
  f.host.press('v', {ks::Control_L});
  EXPECT_STREQ(t.getText(), "awxyz");
}

TEST(WText, CopyGivesTheSelectionButAMaskedFieldOnlyLogsTheLength) {
  WText t(64, "secret", false);
  Field f(&t);
  t.select(1, 4);
  f.host.press('c', {ks::Control_L});
  EXPECT_EQ(f.host.cutText, "ecr");
  t.masked = true;
  f.host.cutText = "";
  f.logger.lines.clear();
  t.editCommand(WText::Copy);
  f.host.cutText = "pw";
  t.editCommand(WText::Paste);
  EXPECT_EQ(f.host.cutText, "pw");
  EXPECT_TRUE(f.logger.has("copy of 3 bytes refused in a masked field") &&
              f.logger.has("paste of 2 bytes"));
  for (const CaptureLogger::Line& l : f.logger.lines)
    EXPECT_EQ(l.text.find("pw"), std::string::npos) << l.text;
}

TEST(WText, MaskedPointerMapsToTheNearestStarAndHalfWayGoesLeft) {
  WText t(64, "\xC3\xA9t\xC3\xA9", false);
  t.masked = true;
  int w = t.textWidth("*");
  ASSERT_GT(w, 1);
  EXPECT_EQ(t.textWidth(t.getText()), 3 * w);
  const char* s = t.getText();
  // Half way (or short of it) goes left; outside, the nearer end.
  for (auto [x, at] : {std::pair{w + w / 2, 2}, {w + w / 2 + 1, 3}, {-5, 0}, {100 * w, 5}})
    EXPECT_EQ(t.pixelPosToChar(x, s) - s, at) << x;
}

TEST(WTextAutocomplete, TypingReplacesTheCompletedTailAndBackSpaceNeverCompletes) {
  WTextAutocomplete t(64, false);
  t.setAutocompleteStrings({"abc", "abd"}, false);
  Field f(&t);
  f.type("ab");
  EXPECT_EQ(f.state(), "abc 3/-1");
  f.type("D");
  EXPECT_EQ(f.state(), "abd 3/0");
  f.host.press(ks::BackSpace);
  EXPECT_STREQ(t.getText(), "ab");
}

TEST(WTextLook, FieldsMatchTheGoldenImage) {
  // A focused field with a selection, then masked with the cursor at the end.
  WText t(64, "Grantwell", false);
  Field f(&t, plat::Point(100, 24));
  t.select(2, 6);
  EXPECT_TRUE(matchesGolden(f.host.render(), GW_GOLDEN_DIR "/wtext_selected.png"));
  t.masked = true;
  f.host.press(ks::End);
  EXPECT_TRUE(matchesGolden(f.host.render(), GW_GOLDEN_DIR "/wtext_masked.png"));
}

TEST(WText, ThirdButtonOpensTheEditMenuOnlyWhenEnabled) {
  WidgetHost host(plat::Point(120, 24));  // the root outlives the menu it shows
  for (bool enabled : {false, true}) {
    WText text(20, "abc", enabled);
    host.host(&text);
    for (int mask : {4, 0}) host.pointer(plat::Point(5, 5), mask);
    EXPECT_EQ(text.getEditMenu() != nullptr, enabled);
    EXPECT_TRUE(!enabled || host.popups.back().rfind("show grab ", 0) == 0);
    host.unhost();
  }
}
