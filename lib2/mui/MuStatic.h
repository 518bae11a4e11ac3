// mui::MuStatic: a piece of text a dialog shows (plain, aligned, heading,
// detail or selectable) or a horizontal rule. The text is the element's
// label and is shown literally: no character of it is mark-up. A static
// sends no events.
#pragma once

#include "lib2/mui/MuElement.h"

namespace mui {

class MuStatic : public MuElement {
 public:
  enum Type {
    Text = 0,
    LeftText = 1,
    CenteredText = 2,  // never shortened
    RightText = 3,     // never shortened
    Heading = 4,       // in the bold font
    Detail = 5,
    Selectable = 6,  // the user can select and copy it
    HorizontalLine = 7,
  };

  // The label starts empty: the back-end sets the text.
  MuStatic(MuContainer* parent, const char* id, Type type);

  // Keeps a copy of text (unless equal) and both options. singleLine keeps
  // the text on one line, shortened with an ellipsis to fit.
  virtual void setText(const char* text, bool bold, bool singleLine);
  virtual void setTextColour(const fb::Colour& colour) = 0;
  virtual void setFontSize(int size) { fontSize_ = size; }

  Type getStaticType() const { return type_; }
  bool isBold() const { return bold_; }
  bool isSingleLine() const { return singleLine_; }
  int getFontSize() const { return fontSize_; }
  const char* getType() const override { return "static"; }
  plat::DString getState() override;

 private:
  Type type_;
  bool bold_ = false;
  bool singleLine_ = false;
  int fontSize_ = 0;
};

}  // namespace mui
