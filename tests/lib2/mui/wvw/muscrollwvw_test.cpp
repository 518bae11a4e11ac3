#include "lib2/mui/wvw/MuScrollWvw.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "lib2/mui/wvw/MuCommonWvw.h"
#include "tests/lib2/mui/wvw/ProbeElement.h"
#include "tests/support/Block.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using mui::MuScroll;
using Script = std::function<int(int)>;

// A leaf whose minimum sizes come from a script, as a wrapping text's do.
struct Measured : mui::MuElement {
  Measured(MuScroll* parent, Script w, Script h)
      : MuElement(parent, "m", nullptr), minWidth(std::move(w)), minHeight(std::move(h)) {
    setImpl(std::make_unique<mui::MuCommonWvw>(&block));
    parent->childAdded(this);
  }
  int getMinWidth(int height) const override { return minWidth(height); }
  int getMinHeight(int width) const override { return minHeight(width); }
  Script minWidth, minHeight;
  wvw::WChild<gwtest::Block> block{wvw::Widget::Green};
};

// Half of what it is given, and 7 when the length is unlimited.
int half(int a) { return a >= 99999 ? 7 : a / 2; }
// A text of so many pixels in area, wrapped at the length given.
Script wrapped(int area) {
  return [area](int length) { return area / std::max(length, 1); };
}

wvw::WScrollView* viewOf(MuScroll* scroll) {
  return static_cast<wvw::WScrollView*>(
      static_cast<wvw::WLayout*>(mui::getWidget(scroll))->getChild(0));
}

// Margin (8, 8), asked at a length of 100.
TEST(MuScrollWvw, TheMinimumLeavesRoomForInsetReservedBarAndChild) {
  gwtest::WvwBackEnd backEnd;
  const struct {
    const char* name;
    int style;
    bool child;
    int minWidth, minHeight;
  } rows[] = {
      {"vertical", 0, true, 16 + 42, 16 + 42},
      {"bar reserved and border", 5, true, 20 + 16 + 7, 20 + 40},
      {"sideways", 2, true, 16 + 42, 16 + 16 + 7},
      {"empty", 0, false, 16, 16},
      {"empty, both bars reserved", 3, false, 16 + 16, 16 + 16},
  };
  for (const auto& r : rows) {
    mui::MuScrollWvw scroll(nullptr, "s", r.style);
    scroll.setMargin({8, 8});
    if (r.child) new Measured(&scroll, half, half);
    EXPECT_EQ(scroll.getMinWidth(100), r.minWidth) << r.name;
    EXPECT_EQ(scroll.getMinHeight(100), r.minHeight) << r.name;
  }
}

// Margin (8, 8); a 204x104 container has a 200x100 view.
TEST(MuScrollWvw, TheChildGetsTheVisibleLengthAndItsMinimumAcross) {
  gwtest::WvwBackEnd backEnd;
  const struct {
    const char* name;
    int style;
    plat::Point size;
    Script minWidth, minHeight;
    plat::Rect child;
    bool hbar, vbar;
  } rows[] = {
      {"fits", 0, {204, 104}, half, wrapped(6000), {8, 8, 192, 40}, false, false},
      // 20000 / 184 = 108 is too tall: measured again 16 pixels narrower.
      {"too tall", 0, {204, 104}, half, wrapped(20000), {8, 8, 176, 127}, false, true},
      {"too wide", 2, {204, 104}, wrapped(30000), half, {8, 8, 449, 76}, true, false},
      {"bordered", 4, {204, 104}, half, wrapped(6000), {10, 10, 190, 43}, false, false},
      {"smaller than its insets", 0, {3, 3}, half, wrapped(0), {8, 8, 8, 8}, true, true},
  };
  for (const auto& r : rows) {
    mui::MuScrollWvw scroll(nullptr, "s", r.style);
    scroll.setMargin({8, 8});
    auto* child = new Measured(&scroll, r.minWidth, r.minHeight);
    gwtest::WidgetHost host(r.size);
    host.host(mui::getWidget(&scroll));
    EXPECT_EQ(plat::Rect(child->getPos(), child->getPos() + child->getSize()), r.child) << r.name;
    wvw::WScrollView* view = viewOf(&scroll);
    EXPECT_EQ(view->getSize(), plat::Point(std::max(r.size.x - 4, 0), std::max(r.size.y - 4, 0)))
        << r.name;
    EXPECT_EQ(std::pair(view->hbar.isVisible(), view->vbar.isVisible()), std::pair(r.hbar, r.vbar))
        << r.name;
  }
}

// The child's widget leaves the content before the child is destroyed, so
// that the child hears it stop while it is whole.
TEST(MuScrollWvw, AChildGoingOutOfAShownContainerHearsItsWidgetStopWhileWhole) {
  gwtest::WvwBackEnd backEnd;
  std::vector<std::string> log;
  const struct {
    const char* name;
    std::function<void(MuScroll*)> step;
  } rows[] = {
      {"replaced", [&log](MuScroll* s) { gwtest::ProbeElement::add(s, "b", &log); }},
      {"removed", [](MuScroll* s) { s->removeChild(s->getChild()); }},
      {"emptied", [](MuScroll* s) { s->destroyChildren(); }},
  };
  for (const auto& r : rows) {
    log.clear();
    mui::MuScrollWvw scroll(nullptr, "s", 5);
    gwtest::ProbeElement::add(&scroll, "a", &log);
    gwtest::WidgetHost host({100, 100});
    host.host(mui::getWidget(&scroll));
    r.step(&scroll);
    EXPECT_EQ(log, std::vector<std::string>{"a stopped"}) << r.name;
    host.render();
  }
}

TEST(MuScrollWvwLook, ATallChildScrollsInsideTheBorderOnTheFilledBackground) {
  gwtest::WvwBackEnd backEnd;
  mui::MuScrollWvw scroll(nullptr, "s", 5);
  scroll.setBgColour(fb::Colour{255, 255, 244});
  new Measured(&scroll, half, wrapped(12000));
  gwtest::WidgetHost host({140, 100});
  host.host(mui::getWidget(&scroll));
  viewOf(&scroll)->scrollTo({0, 30});
  EXPECT_TRUE(gwtest::matchesGolden(host.render(), GW_GOLDEN_DIR "/scroll_container.png"));
}

}  // namespace
