// mui::MuImage: a picture in a dialog, either a named image of the image
// store or a pixel buffer of the caller's. A buffer is the element's own
// when handed over with takeOwnership; otherwise it stays the caller's and
// must outlive its display. An image sends no events.
//
// Invariant: a buffer the element owns is never freed while it is shown;
// the back-end shows a new picture first, then lets the old buffer go.
#pragma once

#include <memory>

#include "lib2/fb/PixelBuffer.h"
#include "lib2/mui/MuElement.h"

namespace mui {

class MuImage : public MuElement {
 public:
  MuImage(MuContainer* parent, const char* id);
  ~MuImage() override;

  // Shows the named image at size ((0,0): its own). False when no such
  // image exists; the name is kept all the same.
  virtual bool set(const char* name, const plat::Point& size) = 0;
  virtual void set(fb::PixelBuffer* buffer, bool takeOwnership) = 0;
  // The size of the picture shown, (0,0) for none.
  virtual plat::Point getImSize() const = 0;

  const char* getName() const { return name_.get(); }
  const fb::PixelBuffer* getOwnedBuffer() const { return ownedBuffer_.get(); }
  const char* getType() const override { return "image"; }
  plat::DString getState() override;

 protected:
  // Keeps a copy of name unless it is equal; null forgets it.
  void keepName(const char* name);
  // Owns buffer from now on when takeOwnership, else nothing, and hands back
  // the buffer owned before, for the caller to free once it no longer shows
  // it. A buffer already owned stays owned even without takeOwnership:
  // giving it up would free what is about to be shown.
  std::unique_ptr<fb::PixelBuffer> swapOwned(fb::PixelBuffer* buffer, bool takeOwnership);

 private:
  plat::String name_;
  std::unique_ptr<fb::PixelBuffer> ownedBuffer_;
};

}  // namespace mui
