// mui::MuImageWvw: the image element on the widget set, an image widget that
// shows the named picture or the buffer it is given.
//
// A new picture is on the widget before the buffer shown until then is
// freed, so the widget never draws from freed memory, whatever fails.
#pragma once

#include "lib2/mui/MuImage.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WImage.h"

namespace mui {

class MuImageWvw : public MuImage {
 public:
  MuImageWvw(MuContainer* parent, const char* id, const char* name, const plat::Point& size);

  bool set(const char* name, const plat::Point& size) override;
  void set(fb::PixelBuffer* buffer, bool takeOwnership) override;
  plat::Point getImSize() const override;

 private:
  wvw::WChild<wvw::WImage> image_{nullptr, plat::Point()};
};

MuImage* muImageWvw(MuContainer* parent, const char* id, const char* name, const plat::Point& size);

}  // namespace mui
