#include "lib2/gfxutil/NamedImageLoader.h"

#include <string>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib2/gfxutil/BuiltInResource.h"
#include "lib2/gfxutil/ScaledImageLoader.h"
#include "lib2/gfxutil/ScreenDensity.h"

namespace gfxutil {

namespace {

// An "@2x" image is drawn for 8 pixels a millimetre, a plain one (factor 2)
// for 4: its pixels count as eighths of a millimetre, or quarters.
plat::Point scaled(plat::Point p, int factor) {
  return plat::Point(lengthToPixels(p.x * factor), lengthToPixels(p.y * factor));
}

std::string at2x(const char* name) { return std::string(name) + "@2x"; }

}  // namespace

void findNamedImage(NamedImageFinder* finder, const char* name, plat::Point* size) {
  int density = ppmm.getValue();
  if (*size == plat::Point(0, 0)) {
    bool plain = finder->setImage(name);
    if (plain) {
      // A plain image is drawn for density 4.
      *size = scaled(finder->getImSize(), 2);
      if (density == 4) return;
    }
    if (finder->setImage(at2x(name).c_str())) {
      plat::Point twice = scaled(finder->getImSize(), 1);
      if (plain && twice != *size) throw plat::Exception(1, "Badly sized image '%s@2x'", name);
      *size = twice;
      if (density == 8) return;
    }
    if (*size == plat::Point(0, 0)) throw plat::Exception(1, "Bad image name '%s'", name);
  }
  int w = size->x, h = size->y;
  std::string exact = std::string(name) + std::to_string(w) + "x" + std::to_string(h);
  if (finder->setImage(exact.c_str())) {
    if (finder->getImSize() != *size)
      throw plat::Exception(1, "Badly sized image '%s%dx%d'", name, w, h);
    return;
  }
  // Only widths decide; the version chosen is scaled to the final size.
  if (finder->setImage(name) && finder->getImSize().x >= w) return;
  if (finder->setImage(at2x(name).c_str()) && finder->getImSize().x >= w) return;
  if (finder->gotImage()) return;
  throw plat::Exception(1, "Bad image name '%s'", name);
}

NamedImageLoader::NamedImageLoader(const char* name, plat::Point size, bool premultiply)
    : size_(size), premultiply_(premultiply) {
  findNamedImage(this, name, &size_);
  PLAT_ASSERT(image_);
}

NamedImageLoader::~NamedImageLoader() = default;

bool NamedImageLoader::setImage(const char* name) {
  std::string resource = std::string(name) + ".png";
  plat::CBuf<unsigned char> data = builtInResourceGet(resource.c_str());
  if (!data.data) return false;
  image_ = std::make_unique<PngFile>(data, premultiply_, name);
  return true;
}

void NamedImageLoader::loadImage(fb::WritablePixelBuffer* pb, plat::Point pos) {
  if (image_->getSize() == size_) {
    image_->loadImage(pb, pos);
    return;
  }
  ScaledImageLoader scaler(image_.get(), size_);
  scaler.loadImage(pb, pos);
}

}  // namespace gfxutil
