#include "lib2/mui/MuImage.h"

#include "lib2/plat/EscapedValue.h"

namespace mui {

MuImage::MuImage(MuContainer* parent, const char* id) : MuElement(parent, id, nullptr) {}

MuImage::~MuImage() = default;

void MuImage::keepName(const char* name) {
  if (!plat::String::equal(name_.get(), name)) name_ = name;
}

std::unique_ptr<fb::PixelBuffer> MuImage::swapOwned(fb::PixelBuffer* buffer, bool takeOwnership) {
  if (buffer && buffer == ownedBuffer_.get()) return nullptr;
  std::unique_ptr<fb::PixelBuffer> old = std::move(ownedBuffer_);
  if (takeOwnership) ownedBuffer_.reset(buffer);
  return old;
}

plat::DString MuImage::getState() {
  plat::Point size = getSize();
  plat::DString s = MuElement::getState();
  s.prf("element Image\nvalue %s\nimSize %d,%d\n",
        plat::EscapedValue(name_.get() ? name_.get() : "").get(), size.x, size.y);
  return s;
}

}  // namespace mui
