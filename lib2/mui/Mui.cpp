#include "lib2/mui/Mui.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/gfxutil/ScreenDensity.h"

namespace mui {

Mui* Mui::installed_ = nullptr;

MuiSizes logicalSizes = {{16, 8, 16, 16, 48, 136, 32, 40}, false};
MuiSizes sizes = {{0, 0, 0, 0, 0, 0, 0, 0}, false};
const MuiColours sysColours = {{{255, 255, 244}, {4, 140, 0}, {230, 160, 0}, {201, 0, 0}}};

Mui::Mui() { setLogicalSizes(logicalSizes); }

Mui::~Mui() {
  if (installed_ == this) installed_ = nullptr;
}

// The assertions name the singleton as the dialog model always has.
void Mui::set(Mui* backEnd) {
  if (!backEnd) plat::assertFatal_(plat::AssertionFail("mui_", __FILE__, __LINE__));
  installed_ = backEnd;
}

Mui* Mui::get() {
  if (!installed_) plat::assertFatal_(plat::AssertionFail("mui", __FILE__, __LINE__));
  return installed_;
}

void Mui::registerDialog(MuDialog* dialog, bool add) {
  if (add) {
    get()->dialogs_.push_back(dialog);
  } else if (installed_) {
    std::erase(installed_->dialogs_, dialog);
  }
}

void setLogicalSizes(const MuiSizes& s) {
  logicalSizes = s;
  int f = gfxutil::ppmm.getValue();
  for (int i = 0; i < MuiSizes::Count; i++) {
    int p = s[i] * f;
    sizes[i] = p >= 0 ? (p + 4) / 8 : (p - 4) / 8;
  }
  sizes.flag = s.flag;
}

}  // namespace mui
