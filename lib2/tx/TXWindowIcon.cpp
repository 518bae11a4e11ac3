#include "lib2/tx/TXWindowIcon.h"

#include <cstdint>
#include <cstring>

#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/tx/TXWindow.h"

namespace tx {

TXWindowIcon::TXWindowIcon(fb::PixelBuffer* icon16, fb::PixelBuffer* icon48)
    : data_(new unsigned long[kCount]) {
  unsigned long* pos = data_.get();
  valid_ = append(icon16, 16, &pos) && append(icon48, 48, &pos);
  if (valid_) TXWindow::defaultIconData = TXWindow::IconData{kCount, data_.get()};
}

// The shared buffers live until the delegated constructor has copied them.
TXWindowIcon::TXWindowIcon(const char* name)
    : TXWindowIcon(gfxutil::getNamedImagePb(name, plat::Point(16, 16)).get(),
                   gfxutil::getNamedImagePb(name, plat::Point(48, 48)).get()) {}

TXWindowIcon::~TXWindowIcon() {
  if (TXWindow::defaultIconData.data == data_.get()) TXWindow::defaultIconData = {};
}

bool TXWindowIcon::append(fb::PixelBuffer* pb, int s, unsigned long** pos) {
  // Anything but exactly s x s pixels of 32 bits would read outside the
  // image or misread its pixels.
  if (!pb || pb->getWidth() != s || pb->getHeight() != s || pb->getPf().bpp != 32) return false;
  int stride = 0;
  const unsigned char* src = pb->getPixelsR(pb->getRect(), &stride);
  if (!src) return false;
  uint32_t opaque = pb->getPf().alphaMax ? 0 : 0xFF000000u;
  unsigned long* out = *pos;
  *out++ = s;
  *out++ = s;
  for (int y = 0; y < s; y++) {
    const unsigned char* row = src + size_t(y) * stride * 4;
    for (int x = 0; x < s; x++) {
      uint32_t pixel;
      memcpy(&pixel, row + 4 * x, 4);
      *out++ = pixel | opaque;
    }
  }
  *pos = out;
  return true;
}

}  // namespace tx
