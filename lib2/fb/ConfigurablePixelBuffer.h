// A full-frame buffer whose format and size can be changed after it is made;
// the subclass decides where the memory comes from (its own blocks, or an
// image shared with the display). Until the subclass sets data_ the buffer
// has no pixels to give.
#pragma once

#include "lib2/fb/FullFramePixelBuffer.h"

namespace fb {

class ConfigurablePixelBuffer : public FullFramePixelBuffer {
 public:
  ConfigurablePixelBuffer();
  ConfigurablePixelBuffer(const PixelFormat& pf, const plat::Rect& r, const ColourMap* cm);

  virtual void setPf(const PixelFormat& pf) = 0;
  // size holds the new width and height.
  virtual void setSize(const plat::Point& size) = 0;

  // Turning grabbing off paints the whole buffer black, so that nothing stale
  // shows while no source keeps it up to date.
  void enableGrab(bool on);
  // Whether a resize keeps the pixels that still fit (off at first).
  void setPreserve(bool on) { preserve_ = on; }

 protected:
  bool preserve_ = false;
  bool grab_ = true;
};

}  // namespace fb
