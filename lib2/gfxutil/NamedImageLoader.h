// Finding an image by its short name, optionally for a wanted size.
//
// Image resources carry their resolution in the name: a plain name is drawn
// for 4 pixels per millimetre, "<name>@2x" for 8, and "<name><w>x<h>" for
// exactly that size. findNamedImage picks the version that fits the screen
// density (ppmm) or the wanted size best, and works out the size to deliver;
// NamedImageLoader then decodes the chosen resource and scales it to that
// size when the two differ.
#pragma once

#include <memory>

#include "lib2/fb/ImageLoader.h"
#include "lib2/gfxutil/PngFile.h"

namespace gfxutil {

// What the search drives: selecting versions of an image by exact name.
class NamedImageFinder {
 public:
  virtual ~NamedImageFinder() = default;
  // Selects the image of exactly this name and returns true, or returns
  // false and keeps the earlier selection.
  virtual bool setImage(const char* name) = 0;
  // The natural pixel size of the selected image.
  virtual plat::Point getImSize() const = 0;
  virtual bool gotImage() const = 0;
};

// Leaves the chosen version selected in finder and the size to deliver in
// *size; (0,0) asks for the natural size at the screen density. Throws
// plat::Exception "Bad image name '%s'" when no version exists, and "Badly
// sized image '...'" when a version contradicts its name.
void findNamedImage(NamedImageFinder* finder, const char* name, plat::Point* size);

class NamedImageLoader : public fb::ImageLoader, private NamedImageFinder {
 public:
  // Runs the search; premultiply is handed to every decoder made.
  NamedImageLoader(const char* name, plat::Point size, bool premultiply);
  ~NamedImageLoader() override;

  plat::Point getSize() const override { return size_; }
  const fb::PixelFormat& getPf() const override { return image_->getPf(); }
  void loadImage(fb::WritablePixelBuffer* pb, plat::Point pos) override;

 private:
  // Looks up the resource "<name>.png"; decoding its header may throw.
  bool setImage(const char* name) override;
  plat::Point getImSize() const override { return image_->getSize(); }
  bool gotImage() const override { return image_ != nullptr; }

  plat::Point size_;
  std::unique_ptr<PngFile> image_;
  bool premultiply_;
};

}  // namespace gfxutil
