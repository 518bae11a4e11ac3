#include "lib2/mui/wvw/MuStaticWvw.h"

#include <cstring>
#include <string>

#include "lib1/plat/Ellipsis.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib2/fb/Draw.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuiWvw.h"

namespace mui {

PLAT_LOG_WRITER(vlog, "MuStaticWvw");

namespace {

// A line across the widget, etched: dark above light.
class WRule : public wvw::Widget {
 public:
  WRule() : Widget(nullptr) {}

  void render(fb::WritablePixelBuffer* pb) override {
    const wvw::WStyle* s = getStyle();
    fb::fillRect(pb, plat::Rect(0, 0, size_.x, 1), toPixel(s->bevelLowColour, pb));
    fb::fillRect(pb, plat::Rect(0, 1, size_.x, 2), toPixel(s->bevelHighColour, pb));
  }
  plat::Point getMinSize() const override { return plat::Point(0, 2); }
  bool acceptsFocus() const override { return false; }
};

// Every "^" doubled, so that the mark-up label shows the text as it is.
std::string escapeMarkUp(const char* text) {
  std::string out;
  for (const char* p = text; *p; p++) {
    out += *p;
    if (*p == '^') out += '^';
  }
  return out;
}

// The text cut with an ellipsis until it is at most room pixels wide in
// font: the fewest characters taken off, or the ellipsis alone. Each
// character taken off makes the text no wider, so the fewest is found by
// halving.
plat::String shorten(const char* text, gfxutil::Font* font, int room) {
  if (font->textWidth(text) <= room) return plat::String(text);
  plat::EllipsiseStr cut(text);
  // Past the number of characters every count gives the ellipsis alone, so
  // the byte length is a safe upper end.
  int fits = int(std::strlen(text)), tooFew = 0;
  while (fits - tooFew > 1) {
    int n = tooFew + (fits - tooFew) / 2;
    if (font->textWidth(cut.get(n).get()) <= room)
      fits = n;
    else
      tooFew = n;
  }
  return cut.get(fits);
}

}  // namespace

MuStaticWvw::MuStaticWvw(MuContainer* parent, const char* id, const char* text, Type type)
    : MuStatic(parent, id, type), style_(*getMuiWvw()->getDefaultStyle()) {
  if (type == HorizontalLine) {
    widget_ = std::make_unique<WRule>();
  } else {
    auto label = std::make_unique<wvw::WLabelMarkedUp>(nullptr, nullptr, plat::ALIGN_LEFT);
    label_ = label.get();
    widget_ = std::move(label);
    // Styled before it gets its text, so that it is measured in its own font.
    if (type == Heading) style_.font = getMuiWvw()->boldFont();
    label_->setStyle(&style_);
    label_->setPadding(0);
    label_->setTransparent(!debugLayout.getValue());
    plat::Alignment h = type == CenteredText ? plat::ALIGN_CENTRE
                        : type == RightText  ? plat::ALIGN_RIGHT
                                             : plat::ALIGN_LEFT;
    label_->setAlignment(h, plat::ALIGN_TOP);
    if (type == Selectable) label_->setSelectable(true);
    setText(text, false, false);
  }
  setImpl(std::make_unique<MuCommonWvw>(widget_.get()));
}

void MuStaticWvw::setSize(const plat::Point& size) {
  MuStatic::setSize(size);
  updateText();
}

void MuStaticWvw::setText(const char* text, bool bold, bool singleLine) {
  MuStatic::setText(text, bold, singleLine);
  if (!label_) return;
  try {
    if (bold && getStaticType() != Heading) style_.font = getMuiWvw()->headingFont();
    if (isSingleLine()) label_->setMultiLine(false);
    updateText();
  } catch (plat::Exception& e) {
    vlog().error("text of %s left empty: %s", getId() ? getId() : "a static", e.str());
    label_->setLabel("");
  }
}

void MuStaticWvw::updateText() {
  if (!label_) return;
  const char* text = getLabel() ? getLabel() : "";
  Type type = getStaticType();
  bool shortens = isSingleLine() && type != CenteredText && type != RightText;
  // Eight pixels of the width stay free beside a shortened text.
  plat::String shown =
      shortens ? shorten(text, style_.font, label_->getSize().x - 8) : plat::String(text);
  label_->setLabel(escapeMarkUp(shown.get()).c_str());
}

void MuStaticWvw::setTextColour(const fb::Colour& colour) {
  style_.textColour = colour;
  if (label_) label_->invalidate();
}

void MuStaticWvw::setFontSize(int size) {
  MuStatic::setFontSize(size);
  if (!label_) return;
  MuiWvw* m = getMuiWvw();
  style_.font = getStaticType() == Heading || isBold() ? m->getBoldFont(size) : m->getFont(size);
  // Lines are broken and shortened by width, which the font sets.
  label_->wrap();
  updateText();
  label_->invalidate();
}

MuStatic* muStaticWvw(MuContainer* parent, const char* id, const char* text, MuStatic::Type type) {
  return new MuStaticWvw(parent, id, text, type);
}

}  // namespace mui
