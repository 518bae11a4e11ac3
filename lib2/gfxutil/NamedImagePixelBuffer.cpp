#include "lib2/gfxutil/NamedImagePixelBuffer.h"

#include <map>

#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/String.h"
#include "lib2/gfxutil/NamedImageLoader.h"

PLAT_LOG_WRITER(vlog, "NamedImagePixelBuffer");

namespace gfxutil {

NamedImagePixelBuffer::NamedImagePixelBuffer(const char* name, plat::Point size)
    : naturalSize_(size == plat::Point(0, 0)), requested_(size) {
  if (!name || !*name) return;
  try {
    NamedImageLoader loader(name, size, true);
    setPf(loader.getPf());
    setSize(loader.getSize());
    loader.loadImage(this, plat::Point(0, 0));
  } catch (plat::Exception& e) {
    vlog().debug("%s", e.str());
    // Rows after the failure were never decoded: show nothing rather than a
    // partial picture.
    setSize(plat::Point(0, 0));
  }
}

plat::SharedPtr<NamedImagePixelBuffer> getNamedImagePb(const char* name, plat::Point size) {
  using Cache = std::multimap<plat::String, plat::SharedPtr<NamedImagePixelBuffer>>;
  static Cache cache;
  plat::String key(name ? name : "");
  auto [first, last] = cache.equal_range(key);
  for (auto it = first; it != last; ++it) {
    const NamedImagePixelBuffer& pb = *it->second;
    // A failed image is empty whatever size it was asked for: matching by
    // size alone would make, search and log a new one on every request.
    if ((size == plat::Point(0, 0) && pb.naturalSize()) || pb.requestedSize() == size ||
        (pb.getWidth() == size.x && pb.getHeight() == size.y))
      return it->second;
  }
  plat::SharedPtr<NamedImagePixelBuffer> made(new NamedImagePixelBuffer(name, size));
  cache.emplace(key, made);
  return made;
}

}  // namespace gfxutil
