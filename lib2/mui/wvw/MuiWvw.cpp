#include "lib2/mui/wvw/MuiWvw.h"

#include <cstdlib>

#include "lib1/plat/Assert.h"
#include "lib1/plat/String.h"
#include "lib2/gfxutil/FontCache.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuElement.h"
#include "lib2/wvw/WCheckBox.h"

namespace mui {

namespace {

// The bold font's name, which setDefaultFonts may change for the next
// singleton; headings always use the same one.
plat::String& boldFontName() {
  static plat::String name("helvB15");
  return name;
}
constexpr const char* kHeadingFontName = "helvB15";

gfxutil::Font* fontNamed(const char* name) { return gfxutil::getFont(name).get(); }

}  // namespace

int checkWidthToLogical(int c, int ppmm) {
  if (ppmm == 0) return 8;
  int twice = 2 * c * 8 / ppmm;  // c is never negative: a width
  return (twice + 1) / 2 + 8;
}

MuiWvw::MuiWvw()
    : style_(*wvw::WStyle::defaultStyle()),
      boldFont_(fontNamed(boldFontName().get())),
      headingFont_(fontNamed(kHeadingFontName)) {
  PLAT_ASSERT(boldFont_ && headingFont_);
  wvw::WCheckBox box(wvw::WCheckBox::CheckImage, wvw::WCheckBox::Unchecked);
  logicalSizes[MuiSizes::CheckWidth] =
      checkWidthToLogical(box.getMinSize().x, gfxutil::ppmm.getValue());
  setLogicalSizes(logicalSizes);
}

MuiWvw::~MuiWvw() = default;

gfxutil::Font* MuiWvw::getFont(int size) { return fontNamed(size < 16 ? "helv15" : "helv16"); }

gfxutil::Font* MuiWvw::getBoldFont(int size) {
  return fontNamed(size < 16 ? "helvB15" : "helvB16");
}

const wvw::WStyle* MuiWvw::getDefaultStyle() {
  if (!debugLayout.getValue()) return &style_;
  wvw::WStyle& copy = debugStyles_.emplace_back(style_);
  copy.backgroundColour = fb::Colour{rand() & 255, rand() & 255, rand() & 255};
  return &copy;
}

void MuiWvw::setDefaultFonts(const char* normal, const char* bold) {
  PLAT_ASSERT(normal && bold);
  wvw::WStyle::setDefaultFont(fontNamed(normal));
  if (!plat::String::equal(boldFontName().get(), bold)) boldFontName() = plat::String(bold);
}

MuiWvw* getMuiWvw() {
  MuiWvw* m = dynamic_cast<MuiWvw*>(Mui::get());
  PLAT_ASSERT(m);
  return m;
}

}  // namespace mui
