// mui::MuButtonWvw: the button element on the widget set. A Text button is a
// bevel button with a centred label; an Image button shows one picture, or
// with StateImages one picture per state (normal, hover, pressed), each
// framed as a scalable border with a label over it; a Hyperlink is a
// WHyperlinkButton. A click on the button reaches the observers as
// MuEventClicked.
//
// Every widget the button made leaves its container before it goes: a new
// picture is put in place first, and the one it replaces goes after, so a
// shown button never lists a freed widget. Its widgets draw with the
// element's own copy of the shared style.
#pragma once

#include <memory>

#include "lib2/mui/MuButton.h"
#include "lib2/mui/wvw/WHyperlinkButton.h"
#include "lib2/wvw/WButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WDynamicButton.h"
#include "lib2/wvw/WImage.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLabelButton.h"
#include "lib2/wvw/WStyle.h"

namespace mui {

class MuButtonWvw : public MuButton, private wvw::WInputHandler {
 public:
  // size: the picture's size, for Image buttons.
  MuButtonWvw(MuContainer* parent, const char* id, const char* label, Type type, int flags,
              const plat::Point& size);
  ~MuButtonWvw() override;

  int getMinWidth(int height) const override;
  int getMinHeight(int width) const override;
  // "&" before a letter marks the hot key and "&&" is one "&". On an Image
  // button it labels every state's picture, which needs StateImages.
  void setText(const char* text) override;
  void setFontSize(int size) override;
  // Only for Image buttons.
  void setImage(const char* name, const plat::Point& size) override;
  // Only for Image buttons with StateImages.
  void setImageScaleBorders(int states, int top, int right, int bottom, int left) override;

  // The label that shows the text: a Text or Hyperlink button's, or that of
  // the first state with a picture; null for a plain Image button.
  wvw::WLabel* findLabel() const;
  wvw::WButton* widget() const { return widget_.get(); }

 private:
  struct StateLook;

  bool handleClick(wvw::Widget* w) override;
  // Lines are broken by width, which the font sets; so after a new font
  // every label is laid out again.
  void restyled();

  wvw::WStyle style_;
  wvw::WChild<std::unique_ptr<wvw::WButton>> widget_;
  // widget_ as the kind it is, where it is that kind.
  wvw::WLabelButton* textButton_ = nullptr;
  WHyperlinkButton* hyperlink_ = nullptr;
  wvw::WDynamicButton* stateButton_ = nullptr;
  // An Image button's pictures: the one of a plain image button, or one per
  // state. Declared after the button, so they leave it before it goes.
  wvw::WChild<std::unique_ptr<wvw::WImage>> image_;
  std::unique_ptr<StateLook> looks_[wvw::WDynamicButton::NumStates];
};

MuButton* muButtonWvw(MuContainer* parent, const char* id, const char* label, MuButton::Type type,
                      int flags, const plat::Point& size);

}  // namespace mui
