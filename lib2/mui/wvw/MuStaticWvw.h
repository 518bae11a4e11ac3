// mui::MuStaticWvw: the static element on the widget set. A rule is a
// two-pixel etched line; every other kind is a marked-up label whose text
// has each "^" doubled, so that it shows literally.
//
// A single-line text that does not fit is shortened with an ellipsis from
// the full text at every size, so a static that grows shows more again.
// The label draws with the element's own copy of the shared style, which
// the font and colour setters change.
#pragma once

#include <memory>

#include "lib2/mui/MuStatic.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabelMarkedUp.h"
#include "lib2/wvw/WStyle.h"

namespace mui {

class MuStaticWvw : public MuStatic {
 public:
  MuStaticWvw(MuContainer* parent, const char* id, const char* text, Type type);

  // Sizes the widget, then shortens the text to the new width.
  void setSize(const plat::Point& size) override;
  void setText(const char* text, bool bold, bool singleLine) override;
  // Shows from the next repaint, which it asks for.
  void setTextColour(const fb::Colour& colour) override;
  void setFontSize(int size) override;

  // Null for a rule.
  wvw::WLabelMarkedUp* label() const { return label_; }

 private:
  // Gives the label the full text, shortened to fit when single-line.
  void updateText();

  wvw::WStyle style_;
  wvw::WChild<std::unique_ptr<wvw::Widget>> widget_;
  wvw::WLabelMarkedUp* label_ = nullptr;  // widget_ unless a rule
};

MuStatic* muStaticWvw(MuContainer* parent, const char* id, const char* text, MuStatic::Type type);

}  // namespace mui
