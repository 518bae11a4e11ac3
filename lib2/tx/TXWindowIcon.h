// The _NET_WM_ICON data every top-level window carries: a 16 x 16 and a
// 48 x 48 image, each as width, height and its pixels as 32-bit ARGB values,
// one per long. The caller finds the images (by name, in the image store) and
// hands over their pixel buffers, or names the image; this object converts them and must
// outlive every window created while it is published.
#pragma once

#include <memory>

#include "lib2/fb/PixelBuffer.h"

namespace tx {

class TXWindowIcon {
 public:
  static constexpr int kCount = 2 + 16 * 16 + 2 + 48 * 48;

  // Publishes the icon as TXWindow::defaultIconData when both images are
  // exactly their size with 32-bit pixels; otherwise publishes nothing.
  TXWindowIcon(fb::PixelBuffer* icon16, fb::PixelBuffer* icon48);
  // Both sizes of the named image from the image store; a name that cannot
  // give either publishes nothing.
  explicit TXWindowIcon(const char* name);
  ~TXWindowIcon();
  TXWindowIcon(const TXWindowIcon&) = delete;
  TXWindowIcon& operator=(const TXWindowIcon&) = delete;

  bool isValid() const { return valid_; }
  const unsigned long* data() const { return data_.get(); }

 private:
  // Writes one image at *pos; false (nothing usable) when the buffer is not
  // s x s pixels of 32 bits.
  static bool append(fb::PixelBuffer* pb, int s, unsigned long** pos);

  std::unique_ptr<unsigned long[]> data_;
  bool valid_ = false;
};

}  // namespace tx
