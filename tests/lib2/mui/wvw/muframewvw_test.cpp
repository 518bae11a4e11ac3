#include "lib2/mui/wvw/MuFrameWvw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "tests/lib2/mui/wvw/ProbeElement.h"
#include "tests/support/PixelPicture.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using gwtest::ProbeElement;
using mui::MuFrame;

class MuFrameWvwTest : public ::testing::Test {
 protected:
  gwtest::WvwBackEnd backEnd;
  std::vector<std::string> log;
};

// The child, of minimum size 30x20, sits inside border, margin and title.
TEST_F(MuFrameWvwTest, TheChildSitsInsideBorderMarginAndTitle) {
  const struct {
    const char* name;
    MuFrame::Type type;
    const char* label;
    plat::Point size;
    plat::Rect child;
    int minWidth, minHeight;
  } rows[] = {
      {"titled", MuFrame::Titled, "Options", {100, 80}, {10, 20, 90, 70}, 50, 50},
      {"titled without a label", MuFrame::Titled, nullptr, {100, 80}, {10, 10, 90, 70}, 50, 40},
      {"plain", MuFrame::Plain, nullptr, {100, 50}, {8, 8, 92, 42}, 46, 36},
      {"too small", MuFrame::Bordered, nullptr, {10, 10}, {10, 10, 10, 10}, 50, 40},
  };
  for (const auto& r : rows) {
    mui::MuFrameWvw frame(nullptr, "f", r.label, r.type);
    frame.setMargin({8, 8});
    ProbeElement* child = ProbeElement::add(&frame, "c", &log, {30, 20});
    frame.setSize(r.size);
    EXPECT_EQ(plat::Rect(child->getPos(), child->getPos() + child->getSize()), r.child) << r.name;
    EXPECT_EQ(frame.getMinWidth(0), r.minWidth) << r.name;
    EXPECT_EQ(frame.getMinHeight(0), r.minHeight) << r.name;
  }
}

TEST_F(MuFrameWvwTest, ABackgroundColourFillsEveryFrameButATitledOne) {
  for (MuFrame::Type type : {MuFrame::Plain, MuFrame::Titled}) {
    mui::MuFrameWvw frame(nullptr, "f", "Title", type);
    gwtest::WidgetHost host({60, 40});
    host.host(mui::getWidget(&frame));
    std::vector<unsigned> before = gwtest::pixels(host.render());
    frame.setBgColour({200, 0, 0});
    std::vector<unsigned> after = gwtest::pixels(host.render());
    EXPECT_EQ(after == before, type == MuFrame::Titled) << type;
    EXPECT_EQ(after[0] == 0xC80000, type == MuFrame::Plain) << type;
  }
}

// A child's widget leaves its container before the child is destroyed, so
// the child hears it stop while whole; the shown tree then renders without
// touching what went.
TEST_F(MuFrameWvwTest, AChildGoingOutOfAShownTreeHearsItsWidgetStopWhileWhole) {
  using Step = void (*)(MuFrame*, mui::MuLayout*, std::vector<std::string>*);
  const struct {
    const char* name;
    bool inFrame;
    Step step;
  } rows[] = {
      {"frame child replaced", true,
       [](MuFrame* f, mui::MuLayout*, std::vector<std::string>* l) {
         ProbeElement::add(f, "b", l);
       }},
      {"frame emptied", true, [](MuFrame* f, mui::MuLayout*, auto) { f->destroyChildren(); }},
      {"layout child removed", false,
       [](MuFrame*, mui::MuLayout* c, auto) { c->removeChild(c->lookup(0)); }},
      {"layout emptied", false, [](MuFrame*, mui::MuLayout* c, auto) { c->destroyChildren(); }},
  };
  for (const auto& r : rows) {
    log.clear();
    mui::MuLayoutWvw root(nullptr, "root", mui::MuLayout::Vertical);
    MuFrame* frame = mui::muFrame(&root, "frame", "Title", MuFrame::Titled);
    mui::MuLayout* column = mui::muLayout(&root, "column", mui::MuLayout::Vertical);
    ProbeElement::add(r.inFrame ? static_cast<mui::MuContainer*>(frame) : column, "a", &log);
    gwtest::WidgetHost host({200, 200});
    host.host(mui::getWidget(&root));
    r.step(frame, column, &log);
    EXPECT_EQ(log, std::vector<std::string>{"a stopped"}) << r.name;
    host.render();
  }
}

}  // namespace
