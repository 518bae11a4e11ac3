// mui::MuSlider: a horizontal or vertical slider over a range of integers.
// A move by the user raises MuEventChanged; values and ranges the program
// sets raise nothing. The value and the range live in the back-end, which
// keeps the value inside the range: a value set outside it is clamped.
#pragma once

#include "lib2/mui/MuElement.h"

namespace mui {

class MuSlider : public MuElement {
 public:
  // The flags of muSlider.
  enum Flags { Vertical = 1 };

  // A slider has no label.
  MuSlider(MuContainer* parent, const char* id, int flags)
      : MuElement(parent, id, nullptr), flags_(flags) {}

  virtual void setValue(int value) = 0;
  virtual int getValue() const = 0;
  // min is the lowest value and max the highest.
  virtual void setRange(int min, int max) = 0;
  virtual int getMin() const = 0;
  virtual int getMax() const = 0;

  bool isVertical() const { return flags_ & Vertical; }
  const char* getType() const override { return "slider"; }
  plat::DString getState() override;

 private:
  int flags_;
};

}  // namespace mui
