#include "lib2/wvw/WStyle.h"

#include "lib2/gfxutil/FontCache.h"
#include "lib2/wvw/Widget.h"

namespace wvw {

namespace {

struct DefaultStyle {
  WStyle style;
  bool built = false;
  // Keeps "helv15" loaded for the rest of the run once the style took it.
  plat::SharedPtr<gfxutil::FontProp> loaded;
};

DefaultStyle& holder() {
  static DefaultStyle d;
  return d;
}

}  // namespace

const WStyle* WStyle::defaultStyle() {
  DefaultStyle& d = holder();
  if (d.built) return &d.style;
  if (!d.style.font) {
    d.loaded = gfxutil::getFont("helv15");  // throws; the next call tries again
    d.style.font = d.loaded.get();
  }
  WStyle& s = d.style;
  s.textColour = Widget::TextFg;
  s.textDisabledColour = Widget::TextDisabled;
  s.fieldColour = Widget::White;
  s.fieldDisabledColour = Widget::BevelBg;
  s.backgroundColour = Widget::BevelBg;
  s.bevelHighColour = Widget::BevelHigh;
  s.bevelLowColour = Widget::BevelLow;
  s.highlightTextColour = Widget::White;
  s.highlightColour = Widget::Blue;
  s.borderColour = Widget::Black;
  s.textMargin = 2;
  d.built = true;
  return &d.style;
}

void WStyle::setDefaultFont(gfxutil::Font* font) { holder().style.font = font; }

}  // namespace wvw
