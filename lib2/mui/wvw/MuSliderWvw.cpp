#include "lib2/mui/wvw/MuSliderWvw.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "lib1/plat/Log.h"
#include "lib2/mui/wvw/MuCommonWvw.h"

PLAT_LOG_WRITER(vlog, "MuSliderWvw");

namespace mui {

namespace {

// A difference of two ints, which may not fit in one, held to 0..INT_MAX.
int stepsBetween(int from, int to) {
  return int(std::clamp<long long>((long long)to - from, 0, INT_MAX));
}

}  // namespace

MuSliderWvw::MuSliderWvw(MuContainer* parent, const char* id, int flags)
    : MuSlider(parent, id, flags), slider_(!(flags & Vertical)) {
  slider_.setInputHandler(this);
  setImpl(std::make_unique<MuCommonWvw>(&slider_));
}

void MuSliderWvw::setValue(int value) {
  settingValue_ = true;
  slider_.setPosition(onAxis(stepsBetween(min_, value)));
  settingValue_ = false;
}

int MuSliderWvw::getValue() const { return min_ + along(slider_.position); }

void MuSliderWvw::setRange(int min, int max) {
  const char* id = getId() ? getId() : "";
  if (max < min) {
    vlog().error("Slider %s: range %d..%d runs backwards; it holds only %d", id, min, max, min);
  } else if ((long long)max - min > INT_MAX) {
    vlog().error("Slider %s: range %d..%d is wider than a slider holds; it ends at %d", id, min,
                 max, int((long long)min + INT_MAX));
  }
  min_ = min;
  // Clamping the position to the new range is the program's doing too.
  settingValue_ = true;
  slider_.setRange(onAxis(stepsBetween(min, max)));
  settingValue_ = false;
}

int MuSliderWvw::getMax() const { return min_ + along(slider_.range); }

bool MuSliderWvw::handleChanged(wvw::Widget* w) {
  if (w == &slider_ && !settingValue_) dispatchEvent(this, MuEventChanged);
  return true;
}

MuSlider* muSliderWvw(MuContainer* parent, const char* id, int flags) {
  return new MuSliderWvw(parent, id, flags);
}

}  // namespace mui
