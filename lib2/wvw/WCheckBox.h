// The check box, and with the dot mark the radio button: a button whose click
// (release of pointer button 0, or of space) toggles a three-valued state. It
// draws a built-in 8x8 mark in a small bevelled well, or, for any other name,
// the three named images "off-NAME", "on-NAME" and "ind-NAME".
//
// A missing image set is not an error: the box is then 0x0 and draws nothing.
// Every change of state repaints and sends handleChanged(this) before the
// click is offered to the handlers.
#pragma once

#include "lib1/plat/SharedPtr.h"
#include "lib2/gfxutil/NamedImagePixelBuffer.h"
#include "lib2/wvw/WButton.h"

namespace wvw {

class WCheckBox : public WButton {
 public:
  enum State { Unchecked = 0, Checked = 1, Indeterminate = 2 };

  // The names that pick the built-in marks, compared by content when a box is
  // made; changing them makes later boxes of the old name use images.
  static const char* CheckImage;
  static const char* DotImage;

  WCheckBox(const char* name, State initial);
  ~WCheckBox() override;

  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleFocus(bool reverse, Widget* w) override;
  bool handleClick(Widget* w) override;
  bool handleEnable(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override { return imageSize_; }

  void setChecked(bool on);
  void enableIndeterminate();

  State state;

 private:
  void setState(State s);

  const unsigned char* mark_ = nullptr;  // null: image mode
  bool round_ = false;
  plat::SharedPtr<gfxutil::NamedImagePixelBuffer> images_[3];
  plat::Point imageSize_{16, 16};
};

}  // namespace wvw
