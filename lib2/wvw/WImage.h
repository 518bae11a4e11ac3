// A widget showing one picture: a named image from the shared store, a
// buffer of the owner's own (alloc) to draw into, or a buffer someone else
// keeps (show). By default the picture keeps
// its size and is placed by hAlign/vAlign (0 start, 1 centre, 2 end); scaled
// stretches it to the widget, tiled repeats it. The owner writes those public
// settings and calls invalidate(). It never takes the focus.
//
// shownPb_ points at the named buffer, at ownPb_ or at the borrowed buffer,
// whichever came last. The
// stretched copy is rebuilt after any repaint request (stale_), since the
// owner may have drawn into its own buffer since.
#pragma once

#include <memory>

#include "lib1/plat/SharedPtr.h"
#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/gfxutil/ScaledPixelBuffer.h"
#include "lib2/wvw/Widget.h"

namespace wvw {

class WImage : public Widget {
 public:
  // A null name makes an empty image, for owners that fill it later.
  WImage(const char* name, plat::Point size);
  ~WImage() override;

  void render(fb::WritablePixelBuffer* pb) override;
  using Widget::invalidate;
  void invalidate(const fb::Region& region) override;
  plat::Point getMinSize() const override;
  bool acceptsFocus() const override { return false; }

  // (0,0) asks for the natural size. A widget still 0x0 takes the image's
  // size. False when no such image exists (the widget then shows nothing).
  bool load(const char* name, plat::Point size);
  // The own buffer, (re)shaped and shown; the owner draws, then invalidates.
  fb::ManagedPixelBuffer* alloc(const fb::PixelFormat& pf, plat::Point size);
  // Shows pb, which stays the caller's and must outlive its display here
  // (null: nothing). The named image and the own buffer are let go. A widget
  // still 0x0 takes the picture's size.
  void show(fb::PixelBuffer* pb);
  // A new image owned by the caller: this picture in grey, alpha kept.
  std::unique_ptr<WImage> createGreyscale();

  fb::PixelBuffer* getShownPb() const { return shownPb_; }

  int hAlign = 1;
  int vAlign = 1;
  bool scaled = false;
  bool tiled = false;

 private:
  fb::PixelBuffer* shownPb_ = nullptr;  // one of the two below
  plat::SharedPtr<gfxutil::NamedImagePixelBuffer> namedPb_;
  std::unique_ptr<fb::ManagedPixelBuffer> ownPb_;
  std::unique_ptr<gfxutil::ScaledPixelBuffer> scaledPb_;
  bool stale_ = true;
};

}  // namespace wvw
