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

// The child of minimum size 30x20 sits inside border, margin and title.
TEST_F(MuFrameWvwTest, TheChildSitsInsideBorderMarginAndTitle) {
  const struct {
    const char* name;
    MuFrame::Type type;
    const char* label;
    plat::Point margin, size;
    plat::Rect child;
    int minWidth, minHeight;
  } rows[] = {
      {"titled", MuFrame::Titled, "Options", {8, 8}, {100, 80}, {10, 20, 90, 70}, 50, 50},
      {"titled without a label",
       MuFrame::Titled,
       nullptr,
       {8, 8},
       {100, 80},
       {10, 10, 90, 70},
       50,
       40},
      {"plain", MuFrame::Plain, nullptr, {8, 8}, {100, 50}, {8, 8, 92, 42}, 46, 36},
      {"bordered", MuFrame::Bordered, nullptr, {4, 4}, {100, 50}, {6, 6, 94, 44}, 42, 32},
      {"header", MuFrame::Header, nullptr, {0, 0}, {100, 50}, {0, 0, 100, 50}, 30, 20},
      {"too small", MuFrame::Plain, nullptr, {8, 8}, {10, 10}, {8, 8, 8, 8}, 46, 36},
  };
  for (const auto& r : rows) {
    mui::MuFrameWvw frame(nullptr, "f", r.label, r.type);
    frame.setMargin(r.margin);
    ProbeElement* child = ProbeElement::add(&frame, "c", &log, {30, 20});
    frame.setSize(r.size);
    plat::Point pos = child->getPos(), size = child->getSize();
    EXPECT_EQ(plat::Rect(pos, pos + size), r.child) << r.name;
    EXPECT_EQ(frame.getMinWidth(0), r.minWidth) << r.name;
    EXPECT_EQ(frame.getMinHeight(0), r.minHeight) << r.name;
  }
}

TEST_F(MuFrameWvwTest, ABackgroundColourFillsEveryFrameButATitledOne) {
  const fb::Colour red{200, 0, 0};
  const struct {
    const char* name;
    MuFrame::Type type;
    plat::Point at;  // a pixel the colour fills, or none
    bool filled;
  } rows[] = {{"plain", MuFrame::Plain, {0, 0}, true},
              {"bordered, inside its edge", MuFrame::Bordered, {2, 2}, true},
              {"titled", MuFrame::Titled, {20, 20}, false}};
  for (const auto& r : rows) {
    mui::MuFrameWvw frame(nullptr, "f", "Title", r.type);
    gwtest::WidgetHost host({60, 40});
    host.host(mui::getWidget(&frame));
    std::vector<unsigned> before = gwtest::pixels(host.render());
    host.takeDirty();
    frame.setBgColour(red);
    EXPECT_EQ(!host.dirtyText().empty(), r.filled) << r.name;
    fb::ManagedPixelBuffer& after = host.render();
    EXPECT_EQ(after.getPixelAt(r.at) == wvw::Widget::toPixel(red, &after), r.filled) << r.name;
    if (!r.filled) {
      EXPECT_EQ(gwtest::pixels(after), before) << r.name;
    }
  }
}

// A child's widget leaves its container before the child is destroyed, so
// that the child hears it stop while it is whole; the tree is shown, and
// renders afterwards without touching what went.
TEST_F(MuFrameWvwTest, AChildGoingOutOfAShownTreeHearsItsWidgetStopWhileWhole) {
  using Step = void (*)(MuFrame * frame, mui::MuLayout * column, std::vector<std::string> * log);
  const struct {
    const char* name;
    bool inFrame;
    Step step;
  } rows[] = {
      {"frame child replaced", true,
       [](MuFrame* f, mui::MuLayout*, std::vector<std::string>* l) {
         ProbeElement::add(f, "b", l);
       }},
      {"frame child removed", true,
       [](MuFrame* f, mui::MuLayout*, std::vector<std::string>*) {
         f->removeChild(f->getChild());
       }},
      {"frame emptied", true,
       [](MuFrame* f, mui::MuLayout*, std::vector<std::string>*) { f->destroyChildren(); }},
      {"layout child removed", false,
       [](MuFrame*, mui::MuLayout* c, std::vector<std::string>*) { c->removeChild(c->lookup(0)); }},
      {"layout emptied", false,
       [](MuFrame*, mui::MuLayout* c, std::vector<std::string>*) { c->destroyChildren(); }},
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
