#include <gtest/gtest.h>

#include "lib2/fb/Keysyms.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"
#include "tests/support/Golden.h"

namespace {

using mui::MuButton;
using mui::MuEdit;
using mui::MuStatic;

class MuControlsWvwTest : public gwtest::ControlsHost {
 protected:
  MuControlsWvwTest() : ControlsHost(plat::Point(200, 250)) {}
};

TEST_F(MuControlsWvwTest, ButtonsClickEditsChangeAndStaticsStayQuiet) {
  MuButton* ok = mui::muButton(&root, "ok", "OK", MuButton::Text, 0, {});
  MuStatic* note = mui::muStatic(&root, "note", "Only a note", MuStatic::Selectable);
  MuEdit* name = mui::muEdit(&root, "name", "Name:", MuEdit::Text);
  show();
  host.focusWindow(true);
  click(note);
  click(ok);
  click(name);
  host.press('a');
  // A value the program sets is no user's edit.
  name->setText("set, not typed");
  host.press(fb::keysym::Return);
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"ok 1", "name 0"}));
}

TEST_F(MuControlsWvwTest, TabVisitsWhatTakesTheFocusInOrderAndWrapsRound) {
  MuButton* ok = mui::muButton(&root, "ok", "OK", MuButton::Text, 0, {});
  mui::muStatic(&root, "note", "A note", MuStatic::Text);
  MuEdit* name = mui::muEdit(&root, "name", "Name:", MuEdit::Text);
  mui::muButton(&root, "quiet", "Quiet", MuButton::Text, MuButton::NoFocus, {});
  MuButton* link = mui::muButton(&root, "link", "About", MuButton::Hyperlink, 0, {});
  MuStatic* copyable = mui::muStatic(&root, "copy", "Copy me", MuStatic::Selectable);
  show();
  host.focusWindow(true);
  ok->focus();
  std::vector<std::string> visited;
  for (int i = 0; i < 4; i++) {
    host.press(fb::keysym::Tab);
    for (mui::MuElement* e : std::vector<mui::MuElement*>{ok, name, link, copyable})
      if (e->hasFocus()) visited.push_back(e->getId());
  }
  EXPECT_EQ(visited, (std::vector<std::string>{"name", "link", "copy", "ok"}));
}

TEST_F(MuControlsWvwTest, EachKindMatchesTheGoldenImage) {
  mui::muStatic(&root, "heading", "Permissions", MuStatic::Heading);
  mui::muStatic(&root, "text", "Users may use 100% ^ more:", MuStatic::Text);
  mui::muStatic(&root, "rule", nullptr, MuStatic::HorizontalLine);
  mui::muStatic(&root, "short", "", MuStatic::Text)
      ->setText("A single line much too long to fit in the window", false, true);
  mui::muButton(&root, "refresh", "&Refresh", MuButton::Text, 0, {});
  mui::muButton(&root, "picture", "user", MuButton::Image, 0, {});
  mui::muButton(&root, "link", "About Grantwell", MuButton::Hyperlink, 0, {});
  mui::muImage(&root, "image", "group", {});
  mui::muEdit(&root, "name", "Name:", MuEdit::Text)->setText("alice");
  show();
  EXPECT_TRUE(gwtest::matchesGolden(host.render(), GW_GOLDEN_DIR "/controls.png"));
}

}  // namespace
