// mui::MuiWvw: the dialog model's singleton for the widget-set back-end. It
// holds the style that the widgets of every element share, the two bold
// fonts, and it measures the check box once to set the last logical size.
//
// Start-up builds one and installs it with Mui::set; it lives to the end of
// the process. Fonts come from the font cache, which keeps them for the run:
// the singleton only borrows them, and they are never null.
#pragma once

#include <list>

#include "lib2/gfxutil/Font.h"
#include "lib2/mui/Mui.h"
#include "lib2/wvw/WStyle.h"

namespace mui {

class MuiWvw : public Mui {
 public:
  // Converts the logical sizes, copies the widget set's default style and
  // loads the bold fonts; a font that cannot be loaded throws.
  MuiWvw();
  ~MuiWvw() override;

  // "helv15" below 16 pixels, else "helv16".
  gfxutil::Font* getFont(int size);
  // "helvB15" below 16 pixels, else "helvB16".
  gfxutil::Font* getBoldFont(int size);
  // The shared style; with _DebugLayout on, a new copy at every call with a
  // random background, so that each widget given one shows its extent.
  const wvw::WStyle* getDefaultStyle();
  // Sets the widget set's default font to normal now; bold becomes the bold
  // font of the next MuiWvw built.
  static void setDefaultFonts(const char* normal, const char* bold);

  // For heading texts and the heading rows of lists.
  gfxutil::Font* boldFont() const { return boldFont_; }
  // For texts with the bold option and image buttons.
  gfxutil::Font* headingFont() const { return headingFont_; }
  const wvw::WStyle& style() const { return style_; }

 private:
  wvw::WStyle style_;
  gfxutil::Font* boldFont_;
  gfxutil::Font* headingFont_;
  // The _DebugLayout copies; a list keeps each where the widgets point.
  std::list<wvw::WStyle> debugStyles_;
};

// The installed singleton, which must be a MuiWvw.
MuiWvw* getMuiWvw();

// A check box c pixels wide in logical units at ppmm, plus 8: what logical
// size CheckWidth holds. Halves round away from zero; ppmm 0 counts the box
// as nothing.
int checkWidthToLogical(int c, int ppmm);

}  // namespace mui
