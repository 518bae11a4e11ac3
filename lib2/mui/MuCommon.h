// mui::MuCommon: what an element asks of the back-end object that realises
// it on screen. The element owns it and forwards everything that concerns
// pixels (visibility, focus, tips, geometry, minimum sizes) to it; the
// back-end object never owns the element.
#pragma once

#include "lib1/plat/Geometry.h"

namespace mui {

class MuCommon {
 public:
  virtual ~MuCommon() = default;

  virtual void show(bool shown) = 0;
  virtual bool isShown() const = 0;
  virtual void enable(bool usable) = 0;
  virtual void focus() = 0;
  virtual bool hasFocus() const = 0;
  virtual void setTip(const char* tip) = 0;
  virtual void setSize(const plat::Point& size) = 0;
  virtual plat::Point getSize() const = 0;
  // The minimum width at the given height, and the minimum height at the
  // given width.
  virtual int getMinWidth(int height) const = 0;
  virtual int getMinHeight(int width) const = 0;
  virtual void setPos(const plat::Point& pos) = 0;
  virtual plat::Point getPos() const = 0;
};

}  // namespace mui
