// The About box, opened from the link at the bottom of the main window.
#include <X11/keysym.h>

#include <string>

#include "tests/e2e/Fixture.h"

namespace e2e {
namespace {

// It shows, painted, and goes with the window manager's close button or
// with OK (Tab to it, then Return), as often as it is opened; the tool goes
// on.
TEST_F(E2e, AboutBoxOpensAndCloses) {
  ASSERT_TRUE(startShown());
  Window about = 0;
  for (const char* closer : {"the window manager", "OK"}) {
    SCOPED_TRACE(closer);
    ASSERT_TRUE(tool.click(ids::kAbout));
    ASSERT_TRUE(
        tool.waitUntil([&] { return (about = desktop.findByName("Zem Grantwell - About")) != 0; },
                       "the About box"));
    // Owned by the main window, so the window manager keeps it on top.
    EXPECT_EQ(desktop.cardinals(about, "WM_TRANSIENT_FOR"),
              std::vector<long>{long(tool.mainWindow())});
    ASSERT_TRUE(tool.waitUntil([&] { return desktop.focused(about); }, "the About box focused"));
    desktop.watchPaint(about);
    auto [w, h] = desktop.size(about);
    EXPECT_TRUE(tool.waitUntil([&] { return desktop.colours(about, 0, 0, w, h) > 8; },
                               "the About box painted"));
    if (std::string(closer) == "OK") {
      desktop.key(XK_Tab);
      desktop.key(XK_Return);
    } else {
      desktop.closeThroughWindowManager(about);
    }
    ASSERT_TRUE(tool.waitUntil([&] { return !desktop.viewable(about); }, "the About box to go"));
  }
  EXPECT_TRUE(tool.refreshParameterShows(""));
  closeAndExpectStatusZero();
}

// Another program destroys the box's window: the tool goes on, and the link
// opens the box again.
TEST_F(E2e, AboutBoxOpensAgainAfterAnotherClientDestroyedIt) {
  ASSERT_TRUE(startShown());
  for (bool destroy : {true, false}) {
    SCOPED_TRACE(destroy ? "first" : "again");
    Window about = 0;
    ASSERT_TRUE(tool.click(ids::kAbout));
    ASSERT_TRUE(tool.waitUntil(
        [&] {
          about = desktop.findByName("Zem Grantwell - About");
          return about != 0 && desktop.viewable(about);
        },
        "the About box"));
    if (destroy) {
      XDestroyWindow(desktop.dpy(), about);
      XSync(desktop.dpy(), False);
    } else {
      desktop.closeThroughWindowManager(about);
    }
    ASSERT_TRUE(tool.waitUntil([&] { return !desktop.findByName("Zem Grantwell - About"); },
                               "the About box to go"));
  }
  closeAndExpectStatusZero();
}

}  // namespace
}  // namespace e2e
