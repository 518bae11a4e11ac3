#include "lib2/mui/MuScroll.h"

namespace mui {

namespace {
constexpr int kBorder = 2;
}

plat::Point MuScroll::inset() const {
  int b = style_ & Border ? kBorder : 0;
  plat::Point m = getMargin();
  return plat::Point(b + m.x, b + m.y);
}

plat::DString MuScroll::getState() {
  plat::DString s = MuContainerSingle::getState();
  plat::Point m = getMargin();
  s.prf("element Scroll\nstyle %d\nmargin %d,%d\n", style_, m.x, m.y);
  return s;
}

}  // namespace mui
