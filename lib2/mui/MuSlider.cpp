#include "lib2/mui/MuSlider.h"

namespace mui {

plat::DString MuSlider::getState() {
  plat::DString s = MuElement::getState();
  s.prf("element Slider\nvalue %d\nmin %d\nmax %d\n", getValue(), getMin(), getMax());
  return s;
}

}  // namespace mui
