#include "lib2/fb/ConfigurablePixelBuffer.h"

#include "lib2/fb/Draw.h"

namespace fb {

ConfigurablePixelBuffer::ConfigurablePixelBuffer() = default;

ConfigurablePixelBuffer::ConfigurablePixelBuffer(const PixelFormat& pf, const plat::Rect& r,
                                                 const ColourMap* cm)
    : FullFramePixelBuffer(pf, r, cm, nullptr, 0) {}

void ConfigurablePixelBuffer::enableGrab(bool on) {
  if (grab_ && !on) {
    // Black is 0 in true colour (alpha is left clear); a colour-mapped
    // format asks its map, and without one 0 is all there is.
    unsigned black = 0;
    if (!format_.trueColour && colourMap_) black = format_.rgba8ToPixel({0, 0, 0, 0}, colourMap_);
    fillRect(this, getRect(), black);
  }
  grab_ = on;
}

}  // namespace fb
