// The main window as the window manager and the screen see it.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/Fixture.h"
// Xlib after gtest (the fixture): its macro None would rename a gtest type.
#include <X11/Xutil.h>

namespace e2e {
namespace {

bool has(const std::vector<std::string>& v, const std::string& s) {
  return std::find(v.begin(), v.end(), s) != v.end();
}

TEST_F(E2e, MainWindowNamesItselfAndItsProcessAndCannotBeResized) {
  ASSERT_TRUE(startShown());
  Window w = tool.mainWindow();
  EXPECT_EQ(desktop.text(w, "WM_NAME"), "Zem Grantwell");
  EXPECT_EQ(desktop.text(w, "_NET_WM_NAME"), "Zem Grantwell");
  // Two texts, each ended by a NUL: the instance, then the class.
  EXPECT_EQ(desktop.text(w, "WM_CLASS"), std::string("Zem Grantwell\0korvath-grantwell\0", 32));
  std::vector<std::string> protocols = desktop.atoms(w, "WM_PROTOCOLS");
  EXPECT_TRUE(has(protocols, "WM_DELETE_WINDOW") && has(protocols, "WM_TAKE_FOCUS"));
  EXPECT_EQ(desktop.cardinals(w, "_NET_WM_PID"), std::vector<long>{tool.tool().pid()});

  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(desktop.dpy(), w, &hints, &supplied));
  EXPECT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
  EXPECT_EQ(
      std::vector<int>({hints.min_width, hints.min_height, hints.max_width, hints.max_height}),
      std::vector<int>({415, 625, 415, 625}));
  EXPECT_EQ(desktop.size(w), std::pair(415, 625));
  closeAndExpectStatusZero();
}

// 16x16 and 48x48 pixels, each after its width and height, as ARGB; the
// corners are see-through and the middle is not.
TEST_F(E2e, MainWindowCarriesTheApplicationIcon) {
  ASSERT_TRUE(startShown());
  std::vector<long> icon = desktop.cardinals(tool.mainWindow(), "_NET_WM_ICON");
  ASSERT_EQ(icon.size(), 2u + 16 * 16 + 2 + 48 * 48);
  EXPECT_EQ(std::vector<long>(icon.begin(), icon.begin() + 2), std::vector<long>({16, 16}));
  EXPECT_EQ(std::vector<long>(icon.begin() + 258, icon.begin() + 260), std::vector<long>({48, 48}));
  auto alpha = [&](size_t at) { return (unsigned long)(icon[at]) >> 24 & 0xff; };
  for (auto [start, side] : {std::pair<size_t, size_t>{2, 16}, {260, 48}}) {
    SCOPED_TRACE(side);
    EXPECT_EQ(alpha(start), 0u);
    EXPECT_EQ(alpha(start + side * side / 2 + side / 2), 255u);
  }
  closeAndExpectStatusZero();
}

// What the dumps say is there is painted: the window is not blank, and the
// arrows beside the refresh buttons are drawn.
TEST_F(E2e, MainWindowIsPaintedWithItsControls) {
  tool.start({});
  Window w = 0;
  ASSERT_TRUE(tool.waitUntil(
      [&] {
        if (!w && (w = tool.mainWindow())) desktop.watchPaint(w);
        return w != 0;
      },
      "the main window"));
  auto colours = [&](const std::string& id) {
    const Dump* d = tool.latest(ids::kMain);
    const Element* e = d ? d->find(id) : nullptr;
    return e ? desktop.colours(w, e->rect.x, e->rect.y, e->rect.w, e->rect.h) : 0;
  };
  EXPECT_TRUE(tool.waitUntil(
      [&] {
        return desktop.viewable(w) && desktop.colours(w, 0, 0, 415, 625) > 8 &&
               colours("main.tl.downarrow") > 1 && colours("main.tl.uparrow") > 1 &&
               colours(ids::kRefreshText) > 2 && colours(ids::kList) > 2;
      },
      "the window painted"));
  closeAndExpectStatusZero();
}

}  // namespace
}  // namespace e2e
