#include "lib2/wvw/WCheckBox.h"

#include <cstring>
#include <string>

#include "lib2/fb/Blit.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/DrawMask.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

namespace {

const unsigned char checkMark[8] = {0x02, 0x06, 0x8E, 0xDC, 0xF8, 0x70, 0x20, 0x00};
const unsigned char dotMark[8] = {0x00, 0x00, 0x18, 0x3C, 0x3C, 0x18, 0x00, 0x00};

}  // namespace

const char* WCheckBox::CheckImage = "WCheck_check";
const char* WCheckBox::DotImage = "WCheck_dot";

WCheckBox::WCheckBox(const char* name, State initial) : WButton(true), state(initial) {
  if (name && std::strcmp(name, CheckImage) == 0) {
    mark_ = checkMark;
  } else if (name && std::strcmp(name, DotImage) == 0) {
    mark_ = dotMark;
    round_ = true;
  } else {
    static const char* const prefixes[3] = {"off-", "on-", "ind-"};
    for (int i = 0; i < 3; i++)
      images_[i] = gfxutil::getNamedImagePb((prefixes[i] + std::string(name ? name : "")).c_str(),
                                            plat::Point());
    imageSize_ = plat::Point(images_[0]->getWidth(), images_[0]->getHeight());
  }
  setSize(imageSize_);
}

WCheckBox::~WCheckBox() = default;

void WCheckBox::setState(State s) {
  if (s == state) return;
  state = s;
  invalidate();
  handleChanged(this);
}

void WCheckBox::setChecked(bool on) { setState(on ? Checked : Unchecked); }

void WCheckBox::enableIndeterminate() { setState(Indeterminate); }

bool WCheckBox::handleClick(Widget* w) {
  if (w == this) setChecked(state != Checked);
  return Widget::handleClick(w);
}

bool WCheckBox::handleKeyEvent(unsigned int keysym, bool down, Widget* w) {
  if (w == this && keysym == fb::keysym::space) {
    // Every release toggles, even one whose press went to another widget.
    setDown(down);
    if (!down_ && handleClick(this)) return true;
  }
  return Widget::handleKeyEvent(keysym, down, w);
}

bool WCheckBox::handleFocus(bool reverse, Widget* w) {
  if (w == this) invalidate();
  return WLayout::handleFocus(reverse, w);
}

bool WCheckBox::handleEnable(Widget* w) {
  if (w == this) invalidate();
  return Widget::handleEnable(w);
}

void WCheckBox::render(fb::WritablePixelBuffer* pb) {
  WLayout::render(pb);
  if (!mark_) {
    gfxutil::NamedImagePixelBuffer* image = images_[state].get();
    if (image)
      fb::blit(image, plat::Point(), pb, plat::Rect(plat::Point(), imageSize_), fb::compositeOver);
    return;
  }
  const WStyle* st = getStyle();
  plat::Point tl((size_.x - 10) / 2, (size_.y - 10) / 2);
  plat::Rect box(tl, tl + plat::Point(10, 10));
  fb::fillRect(pb, box, toPixel(enabled_ ? st->fieldColour : st->fieldDisabledColour, pb));
  drawBevel(pb, expandRect(box, 2), true, round_);
  if (hasFocus())
    fb::outlineRoundedRect(pb, expandRect(box, 2), round_ ? 8 : 3, toPixel(st->borderColour, pb));
  const unsigned char* m = state == Checked ? mark_ : state == Indeterminate ? dotMark : nullptr;
  if (m)
    fb::maskFill(pb, expandRect(box, -1),
                 toPixel(enabled_ ? st->textColour : st->textDisabledColour, pb), m, 0, 0);
}

}  // namespace wvw
