// The colours and font widgets draw with. A widget uses its own style, else
// the one its container offers, else the shared default style, which is built
// on first use from the palette constants of Widget and the font "helv15"
// (unless setDefaultFont came first). A plain record, copied by value.
#pragma once

#include "lib2/fb/Colour.h"

namespace gfxutil {
class Font;
}

namespace wvw {

struct WStyle {
  gfxutil::Font* font = nullptr;  // not owned
  fb::Colour textColour;
  fb::Colour textDisabledColour;
  fb::Colour fieldColour;
  fb::Colour fieldDisabledColour;
  fb::Colour backgroundColour;
  fb::Colour bevelHighColour;
  fb::Colour bevelLowColour;
  fb::Colour highlightTextColour;
  fb::Colour highlightColour;
  fb::Colour borderColour;
  int textMargin = 0;

  // Never null, never freed. A failure to load the font propagates and leaves
  // the style unbuilt, so the next call tries again.
  static const WStyle* defaultStyle();
  // font must outlive every widget. Widgets read the style whenever they draw
  // or measure, so a swap shows from their next repaint on.
  static void setDefaultFont(gfxutil::Font* font);
};

}  // namespace wvw
