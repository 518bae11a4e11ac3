// A bevel button showing an image, and a greyscale copy of it while disabled.
// Bevelled, it looks like any bevel button; flat, it shows only the image and
// draws a bevel while hovered, pressed or forced down (alwaysDown).
//
// The images given to addImage belong to the caller. A greyscale copy made
// here (ownedDisabled_) belongs to the button and is what disabledImage_
// points at until other images are given.
#pragma once

#include <memory>

#include "lib2/wvw/WBevelButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WImage.h"

namespace wvw {

class WImageButton : public WBevelButton {
 public:
  WImageButton(bool bevelled, bool focusable);

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handlePtrLeave(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  void setEnabled(bool enabled) override;

  // Either may be null; a null disabled image is made from normal on demand.
  void addImage(WImage* normal, WImage* disabled);
  void alwaysDown(bool on);

  WImage* getDisabledImage() const { return disabledImage_; }
  bool isHover() const { return hover_; }

 private:
  WImage* image_ = nullptr;          // not owned
  WImage* disabledImage_ = nullptr;  // the caller's or ownedDisabled_
  WChild<std::unique_ptr<WImage>> ownedDisabled_;
  bool bevelled_;
  bool hover_ = false;
  bool forcedDown_ = false;
};

}  // namespace wvw
