#include "lib2/mui/wvw/MuPagerWvw.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lib2/fb/Keysyms.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/wvw/WCanvas.h"
#include "tests/lib2/mui/wvw/ProbeElement.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using gwtest::ProbeElement;
using mui::MuPager;
using Log = std::vector<std::string>;

// Sets ppmm for one test and takes the setting back.
struct Ppmm {
  explicit Ppmm(int value) { gfxutil::ppmm.setParam(value, 0); }
  ~Ppmm() { gfxutil::ppmm.unsetParam(0, false); }
};

// A pager with pages a, b and c on screen, and an observer that counts its
// changes and may act on them.
struct Shown : mui::MuObserver {
  explicit Shown(MuPager::Type type) : pager(nullptr, "pager", type) {
    for (const char* id : {"a", "b", "c"}) pages.push_back(ProbeElement::add(&pager, id, &log));
    pager.registerObserver(this, true);
    host.host(mui::getWidget(&pager));
  }
  void elementChanged(mui::MuElement*) override {
    changes++;
    if (action) action();
  }
  wvw::WTabSheets* tabs() { return static_cast<wvw::WTabSheets*>(mui::getWidget(&pager)); }
  void clickTab(int i) {
    wvw::WTab* tab = tabs()->getTab(i);
    plat::Point at = tab->mapPoint(plat::Point(5, 5), tabs());
    host.pointer(at, 1);
    host.pointer(at, 0);
  }
  // The pager's current page is page i, and the sheets show it.
  bool showing(int i) {
    int s = tabs()->getSelected();
    return pager.getCurrent() == i && s == i && pages[size_t(i)]->isShown() &&
           tabs()->getSheet(s)->getPage() == mui::getWidget(pages[size_t(i)]);
  }

  gwtest::WvwBackEnd backEnd;
  Log log;
  int changes = 0;
  std::function<void()> action;
  mui::MuPagerWvw pager;
  std::vector<ProbeElement*> pages;
  gwtest::WidgetHost host{{300, 150}};
};

TEST(MuPagerWvw, TheProgramSwitchesQuietlyAndTheUserWithAnEvent) {
  Shown s(MuPager::Tabs);
  s.pager.setCurrent(1);
  EXPECT_TRUE(s.showing(1));
  EXPECT_EQ(s.changes, 0);
  s.clickTab(2);
  EXPECT_TRUE(s.showing(2));
  s.host.focusWindow(true);
  s.host.press(fb::keysym::Tab, {fb::keysym::Control_L});
  EXPECT_TRUE(s.showing(0));
  EXPECT_EQ(s.changes, 2);
}

// The observer sees the page it hears of on screen, and may send the user
// elsewhere at once.
TEST(MuPagerWvw, AnObserverSwitchingOnTheUsersChoiceHasTheLastWord) {
  Shown s(MuPager::Tabs);
  s.action = [&s] {
    EXPECT_TRUE(s.showing(2));
    s.pager.setCurrent(0);
  };
  s.clickTab(2);
  EXPECT_TRUE(s.showing(0));
}

TEST(MuPagerWvw, RemovingAPageKeepsTheSheetsOnTheCurrentOne) {
  const struct {
    const char* name;
    int current, removed, after;
  } rows[] = {{"the shown first page", 0, 0, 0},
              {"the shown last page", 2, 2, 1},
              {"a page before the shown one", 2, 0, 1},
              {"a page after the shown one", 0, 1, 0}};
  for (const auto& r : rows) {
    Shown s(MuPager::Tabs);
    s.pager.setCurrent(r.current);
    s.pager.removeChild(s.pages[size_t(r.removed)]);
    s.pages.erase(s.pages.begin() + r.removed);
    EXPECT_TRUE(s.showing(r.after)) << r.name;
  }
}

// A page's widget leaves the sheets or the layout before the page is
// destroyed, so the page hears it stop while whole; a tabbed pager starts
// only the shown page.
TEST(MuPagerWvw, APageGoingOutOfAShownPagerHearsItsWidgetStopWhileWhole) {
  const struct {
    const char* name;
    MuPager::Type type;
    bool all;  // destroyChildren, else the shown page a is removed
    Log log;
  } rows[] = {{"tabbed, page removed", MuPager::Tabs, false, {"a stopped"}},
              {"framed, page removed", MuPager::Framed, false, {"a stopped"}},
              {"plain, emptied", MuPager::Plain, true, {"c stopped", "b stopped", "a stopped"}}};
  for (const auto& r : rows) {
    Shown s(r.type);
    if (r.all) {
      s.pager.destroyChildren();
    } else {
      s.pager.removeChild(s.pages[0]);
    }
    EXPECT_EQ(s.log, r.log) << r.name;
    s.host.render();
  }
}

TEST(MuPagerWvw, ATabReadsThePagesIdUntilItHasATitle) {
  Shown s(MuPager::Tabs);
  auto label = [&s] { return std::string(s.tabs()->getTab(0)->getLabel()->getLabel()); };
  EXPECT_EQ(label(), "a");
  s.pager.setPageTitle(s.pages[0], "General");
  EXPECT_EQ(label(), "General");
  s.pager.setPageTitle(s.pages[0], nullptr);
  EXPECT_EQ(label(), "a");
}

TEST(MuPagerWvw, PagesSitInsideTheInsetOfTheirType) {
  const mui::MuiSizes defaults = mui::logicalSizes;
  const struct {
    const char* name;
    int ppmm;
    MuPager::Type type;
    int inset;
  } rows[] = {{"tabbed", 4, MuPager::Tabs, 2 + 8},
              {"framed", 4, MuPager::Framed, 2 + 8},
              {"plain", 4, MuPager::Plain, 0},
              {"tabbed at ppmm 8", 8, MuPager::Tabs, 4 + 16},
              {"framed at ppmm 7", 7, MuPager::Framed, 4 + 14}};
  for (const auto& r : rows) {
    Ppmm ppmm(r.ppmm);
    Shown s(r.type);
    // A page added on screen stays out of sight until it is chosen, and
    // the shown one stays started.
    ProbeElement* d = ProbeElement::add(&s.pager, "d", &s.log);
    EXPECT_TRUE(s.pages[0]->isShown() && !d->isShown() && s.log.empty()) << r.name;
    s.pager.setCurrent(3);
    wvw::Widget* page = mui::getWidget(d);
    plat::Point room =
        r.type == MuPager::Tabs ? page->getParentLayout()->getSize() : s.pager.getSize();
    EXPECT_EQ(page->getPos(), plat::Point(r.inset, r.inset)) << r.name;
    EXPECT_EQ(page->getSize(), room - plat::Point(2 * r.inset, 2 * r.inset)) << r.name;
  }
  mui::setLogicalSizes(defaults);
}

TEST(MuPagerWvwLook, ATabbedPagerShowsTheChosenPageUnderItsTab) {
  gwtest::WvwBackEnd backEnd;
  Log log;
  // The dialog's background, which the sheets leave to show around a page.
  wvw::WChild<wvw::WCanvas> canvas;
  mui::MuPagerWvw pager(nullptr, "pager", MuPager::Tabs);
  const struct {
    const char* title;
    fb::Colour colour;
  } pages[] = {{"General", wvw::Widget::Green},
               {"Display", wvw::Widget::Orange},
               {"Advanced", wvw::Widget::Blue}};
  for (const auto& p : pages) {
    ProbeElement* page = ProbeElement::add(&pager, "page", &log);
    page->block().colour = p.colour;
    pager.setPageTitle(page, p.title);
  }
  pager.setCurrent(1);
  canvas.add(mui::getWidget(&pager), plat::Rect(4, 4, 216, 116), nullptr);
  gwtest::WidgetHost host({220, 120});
  host.host(&canvas);
  EXPECT_TRUE(gwtest::matchesGolden(host.render(), GW_GOLDEN_DIR "/pager_tabs.png"));
}

}  // namespace
