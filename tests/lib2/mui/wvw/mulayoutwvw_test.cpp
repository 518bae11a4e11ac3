#include "lib2/mui/wvw/MuLayoutWvw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/lib2/mui/wvw/ProbeElement.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using gwtest::ProbeElement;

// The host sizes the layout's widget, as a window does: the children follow.
TEST(MuLayoutWvw, TheChildrenFollowWhenTheWidgetIsResized) {
  gwtest::WvwBackEnd backEnd;
  std::vector<std::string> log;
  mui::MuLayoutWvw column(nullptr, "column", mui::MuLayout::Vertical);
  ProbeElement* a = ProbeElement::add(&column, "a", &log, {30, 20});
  ProbeElement* b = ProbeElement::add(&column, "b", &log, {30, 20});
  gwtest::WidgetHost host({100, 200});
  host.host(mui::getWidget(&column));
  int spacing = mui::sizes[mui::MuiSizes::Spacing];
  EXPECT_EQ(b->getPos(), plat::Point(0, 20 + spacing));
  EXPECT_EQ(a->getSize(), plat::Point(100, 20));
  mui::getWidget(&column)->setSize({60, 200});
  EXPECT_EQ(b->getSize(), plat::Point(60, 20));
  column.removeChild(a);
  EXPECT_EQ(b->getPos(), plat::Point(0, 0));
}

}  // namespace
