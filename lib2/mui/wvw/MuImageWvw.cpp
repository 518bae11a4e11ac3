#include "lib2/mui/wvw/MuImageWvw.h"

#include <memory>

#include "lib2/mui/wvw/MuCommonWvw.h"

namespace mui {

MuImageWvw::MuImageWvw(MuContainer* parent, const char* id, const char* name,
                       const plat::Point& size)
    : MuImage(parent, id) {
  set(name, size);
  setImpl(std::make_unique<MuCommonWvw>(&image_));
}

bool MuImageWvw::set(const char* name, const plat::Point& size) {
  keepName(name);
  bool found = image_.load(name, size);
  swapOwned(nullptr, false);
  return found;
}

void MuImageWvw::set(fb::PixelBuffer* buffer, bool takeOwnership) {
  keepName(nullptr);
  image_.show(buffer);
  swapOwned(buffer, takeOwnership);
}

plat::Point MuImageWvw::getImSize() const {
  const fb::PixelBuffer* pb = image_.getShownPb();
  return pb ? plat::Point(pb->getWidth(), pb->getHeight()) : plat::Point();
}

MuImage* muImageWvw(MuContainer* parent, const char* id, const char* name,
                    const plat::Point& size) {
  return new MuImageWvw(parent, id, name, size);
}

}  // namespace mui
