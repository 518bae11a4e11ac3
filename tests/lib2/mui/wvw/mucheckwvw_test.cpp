#include "lib2/mui/wvw/MuCheckWvw.h"

#include <gtest/gtest.h>

#include <string>

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "lib2/wvw/WCanvas.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using mui::MuCheck;

// Writes down every event the tree sends: "id:code ".
struct Events : mui::MuObserver {
  void elementEvent(mui::MuElement* source, int code) override {
    seen += std::string(source->getId()) + ":" + std::to_string(code) + " ";
  }
  std::string seen;
};

// The tree on a canvas, so that every pixel is painted.
class MuCheckWvwTest : public ::testing::Test {
 protected:
  MuCheckWvwTest() {
    root.registerObserver(&events, true);
    canvas.add(mui::getWidget(&root), plat::Rect(0, 0, 100, 66), nullptr);
    host.host(&canvas);
  }
  MuCheck* add(const char* id, const char* label, MuCheck::Type type, MuCheck* with = nullptr) {
    return mui::muCheck(&root, id, label, type, with, nullptr);
  }
  // A press and release of the first button, x pixels into the check's row.
  void click(MuCheck* c, int x) {
    plat::Point at = c->getPos() + plat::Point(x, c->getSize().y / 2);
    host.pointer(at, 1);
    host.pointer(at, 0);
  }

  gwtest::WvwBackEnd backEnd;
  wvw::WCanvas canvas;
  mui::MuLayoutWvw root{nullptr, "root", mui::MuLayout::Vertical};
  Events events;
  gwtest::WidgetHost host{plat::Point(100, 66)};
};

// A click checks the box and tells; what the program sets tells nothing.
TEST_F(MuCheckWvwTest, AClickOnTheBoxOrLabelChecksAndTellsOnce) {
  const struct {
    const char* name;
    bool indeterminate;
    int x;
  } rows[] = {{"box", false, 6}, {"label", false, 40}, {"indeterminate box", true, 6}};
  for (const auto& r : rows) {
    root.destroyChildren();
    events.seen.clear();
    MuCheck* c = add("c", "&Remember", MuCheck::Normal);
    if (r.indeterminate) c->setIndeterminate();
    EXPECT_EQ(c->isIndeterminate() && !c->isChecked(), r.indeterminate) << r.name;
    click(c, r.x);
    EXPECT_TRUE(c->isChecked()) << r.name;
    c->setChecked(false);
    EXPECT_EQ(events.seen, "c:0 ") << r.name;
  }
}

TEST_F(MuCheckWvwTest, ClickingARadioTwiceLeavesItTheOnlyOneChecked) {
  MuCheck* a = add("a", "One", MuCheck::Radio);
  MuCheck* b = add("b", "Two", MuCheck::Radio, a);
  MuCheck* c = add("c", "Three", MuCheck::Radio, a);
  a->setChecked(true);
  click(b, 6);
  click(b, 40);
  std::string checked;
  for (MuCheck* m : {a, b, c}) checked += m->isChecked() ? "1" : "0";
  EXPECT_EQ(checked, "010");
  EXPECT_EQ(events.seen, "b:0 b:0 ");
}

TEST_F(MuCheckWvwTest, ChecksAndARadioGroupMatchTheGoldenImages) {
  add("off", "&Off", MuCheck::Normal);
  add("on", "On", MuCheck::Normal)->setChecked(true);
  add("ind", "Mixed", MuCheck::Normal)->setIndeterminate();
  EXPECT_TRUE(gwtest::matchesGolden(host.render(), GW_GOLDEN_DIR "/checks.png"));
  root.destroyChildren();
  MuCheck* first = add("a", "View", MuCheck::Radio);
  add("b", "Edit", MuCheck::Radio, first)->setChecked(true);
  add("c", "Own", MuCheck::Radio, first);
  EXPECT_TRUE(gwtest::matchesGolden(host.render(), GW_GOLDEN_DIR "/radio_group.png"));
}

}  // namespace
