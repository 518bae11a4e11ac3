// A stand-in back-end for the dialog model, with no widget set and no X:
// each element's back-end object only remembers what it was told (shown,
// usable, focus, tip, size, position) and answers minimum sizes from a
// script. Installing a FakeMui fills the factory slots with fake factories
// and empties them again when it goes.
#pragma once

#include <functional>

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"

namespace gwtest {

struct FakeCommon : mui::MuCommon {
  bool shown = true;
  bool usable = true;
  bool focused = false;
  plat::String tip;
  plat::Point size;
  plat::Point pos;
  // Minimum width at a height, minimum height at a width.
  std::function<int(int)> minWidth = [](int) { return 0; };
  std::function<int(int)> minHeight = [](int) { return 0; };
  mutable int minQueries = 0;

  void show(bool s) override { shown = s; }
  bool isShown() const override { return shown; }
  void enable(bool u) override { usable = u; }
  void focus() override { focused = true; }
  bool hasFocus() const override { return focused; }
  void setTip(const char* t) override { tip = t; }
  void setSize(const plat::Point& s) override { size = s; }
  plat::Point getSize() const override { return size; }
  int getMinWidth(int h) const override {
    minQueries++;
    return minWidth(h);
  }
  int getMinHeight(int w) const override {
    minQueries++;
    return minHeight(w);
  }
  void setPos(const plat::Point& p) override { pos = p; }
  plat::Point getPos() const override { return pos; }
};

// The fake back-end object of e, which must have one.
FakeCommon& fake(const mui::MuElement* e);

// A leaf element with fixed minimum sizes, added to parent (which owns it).
mui::MuElement* fakeLeaf(mui::MuContainer* parent, const char* id, int minWidth = 0,
                         int minHeight = 0, const char* label = nullptr);

class FakeDialog : public mui::MuDialog {
 public:
  using MuDialog::MuDialog;
  void setTitle(const char* t) override { title = t; }
  plat::Point getPrimaryDesktopSize() const override { return plat::Point(1920, 1080); }
  void onSetFocus(mui::MuElement* e) override { focusedElement = e; }
  // As a window back-end does: the dialog's position is its window's.
  plat::Point getAbsolutePos() const override { return getPos(); }

  plat::String title;
  mui::MuElement* focusedElement = nullptr;
};

class FakeMui : public mui::Mui {
 public:
  FakeMui();
  ~FakeMui() override;
};

// A slider that only stores what it is told.
class FakeSlider : public mui::MuSlider {
 public:
  using MuSlider::MuSlider;
  void setValue(int v) override { value = v; }
  int getValue() const override { return value; }
  void setRange(int lo, int hi) override { min = lo, max = hi; }
  int getMin() const override { return min; }
  int getMax() const override { return max; }

  int value = 0;
  int min = 0;
  int max = 0;
};

}  // namespace gwtest
