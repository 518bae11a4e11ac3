#include "lib2/fb/ColourMap.h"

#include <climits>
#include <cstdint>

namespace fb {

ColourMap::~ColourMap() = default;

unsigned ColourMap::rgb888ToPixel(const Colour& c) const {
  unsigned best = 0;
  int64_t bestDistance = INT_MAX;
  for (int i = 0; i < numColours(); i++) {
    Colour entry;
    pixelToRgb888(unsigned(i), &entry);
    // 64 bits: a map may hold colours outside 0..255, whose squares add up
    // past the range of an int.
    int64_t dr = entry.r - c.r, dg = entry.g - c.g, db = entry.b - c.b;
    int64_t distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = unsigned(i);
    }
  }
  return best;
}

void ColourMapRW::copyFrom(const ColourMap* other) {
  // The count is asked again before every entry: storing an entry may change
  // other when it shares its entries with this map.
  for (int i = 0; i < other->numColours(); i++) {
    Colour c;
    other->pixelToRgb888(unsigned(i), &c);
    setColour(i, c);
  }
}

}  // namespace fb
