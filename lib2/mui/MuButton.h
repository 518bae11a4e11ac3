// mui::MuButton: the push button of the dialog model, shown as a text button,
// an image button or a hyperlink. Its text is the element's label; for an
// Image button the label names the image. A click reaches the observers as
// MuEventClicked.
//
// The type is fixed at construction; the flags are the caller's with
// StateNormal added.
#pragma once

#include "lib2/mui/MuElement.h"

namespace mui {

class MuButton : public MuElement {
 public:
  enum Type { Text = 0, Image = 1, Hyperlink = 2 };
  enum Flag {
    NoFocus = 2,        // the button never takes the keyboard focus
    StateImages = 4,    // an Image button with one picture per state
    StateImages2 = 8,   // the same
    StateNormal = 16,   // the picture of the normal state; always set
    StateHover = 32,    // the picture under the pointer, "<name>_hover"
    StatePressed = 64,  // the picture while pressed, "<name>_pressed"
    WhiteText = 128,    // an Image button's text in white
  };

  MuButton(MuContainer* parent, const char* id, const char* label, Type type, int flags);

  // Replaces the label unless the texts are equal (two nulls are).
  virtual void setText(const char* text);
  virtual void setFontSize(int size) { fontSize_ = size; }
  // Only for Image buttons; the element alone keeps no picture.
  virtual void setImage(const char*, const plat::Point&) {}
  // The scale borders of the pictures of the states named by the Flag bits
  // in states.
  virtual void setImageScaleBorders(int, int, int, int, int) {}

  Type getButtonType() const { return type_; }
  int getButtonFlags() const { return flags_; }
  int getFontSize() const { return fontSize_; }
  const char* getType() const override { return "button"; }
  plat::DString getState() override;

 private:
  Type type_;
  int flags_;
  int fontSize_ = 0;
};

}  // namespace mui
