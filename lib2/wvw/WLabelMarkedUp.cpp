#include "lib2/wvw/WLabelMarkedUp.h"

#include <algorithm>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib2/fb/Draw.h"
#include "lib2/gfxutil/Font.h"
#include "lib2/gfxutil/FontCache.h"
#include "lib2/wvw/WStyle.h"

PLAT_LOG_WRITER(vlog, "WLabelMarkedUp");

namespace wvw {

namespace {

bool contains(const plat::Rect& r, const plat::Point& p) {
  return p.x >= r.tl.x && p.x < r.br.x && p.y >= r.tl.y && p.y < r.br.y;
}

}  // namespace

WLabelMarkedUp::WLabelMarkedUp(plat::MarkUp::LinkCallback* cb, const char* text,
                               plat::Alignment hAlign)
    : WLabel(nullptr, hAlign), linkCallback_(cb) {
  // The base could not lay the text out: this part did not exist yet.
  setLabel(text);
}

WLabelMarkedUp::~WLabelMarkedUp() = default;

void WLabelMarkedUp::setFontAndLinkId(plat::MarkUp::Font f, int link) {
  currentFont_ = f == plat::MarkUp::FontBold ? gfxutil::getFont("helvB15").get() : font();
  currentLinkId_ = link;
  currentUnderline_ = f == plat::MarkUp::FontUnderline || link != 0;
}

int WLabelMarkedUp::getFontHeight() { return currentFont_->height; }

int WLabelMarkedUp::getTextWidth(const char* from, const char* to) {
  return currentFont_->textWidth(from, to);
}

void WLabelMarkedUp::addItem(const char* from, const char* to, const plat::Rect& rect) {
  int length = int(to - from);
  pieces_.push_back(
      {currentFont_, currentUnderline_, plat::String(from, length), currentLinkId_, rect});
  textLength_ += length;
}

void WLabelMarkedUp::wrap() {
  pieces_.clear();
  textLength_ = 0;
  laidOutWidth_ = laidOutHeight_ = 0;
  if (label_.isNull()) return;
  currentFont_ = font();
  plat::MarkUp::Layout layout(this, multiLine_ ? size_.x - 2 * padding_ : 0);
  try {
    plat::MarkUp::parse(label_.get(), &layout);
  } catch (const plat::Exception& e) {
    vlog().error("Bad mark-up in \"%s\": %s", label_.get(), e.str());
  }
  laidOutWidth_ = layout.getExtent().x;
  laidOutHeight_ = layout.getExtent().y;
  alignPieces();
}

void WLabelMarkedUp::alignPieces() {
  int y = padding_;
  if (vAlign_ == plat::ALIGN_CENTRE)
    y = (size_.y - laidOutHeight_) / 2;
  else if (vAlign_ == plat::ALIGN_BOTTOM)
    y = size_.y - laidOutHeight_ - padding_;
  for (size_t first = 0; first < pieces_.size();) {
    size_t end = first;
    int width = 0;
    for (; end < pieces_.size() && pieces_[end].rect.tl.y == pieces_[first].rect.tl.y; end++)
      width += pieces_[end].font->textWidth(pieces_[end].text.get());
    int x = padding_;
    if (hAlign_ == plat::ALIGN_CENTRE)
      x = (size_.x - width) / 2;
    else if (hAlign_ == plat::ALIGN_RIGHT)
      x = size_.x - width - padding_;
    for (; first < end; first++) pieces_[first].rect = pieces_[first].rect + plat::Point(x, y);
  }
}

int WLabelMarkedUp::hitTest(const plat::Point& p) const {
  for (const Piece& piece : pieces_)
    if (piece.link != 0 && contains(piece.rect, p)) return piece.link;
  return 0;
}

void WLabelMarkedUp::render(fb::WritablePixelBuffer* pb) {
  const WStyle* style = getStyle();
  if (!transparent_)
    fb::fillRect(pb, plat::Rect(plat::Point(), size_), toPixel(style->backgroundColour, pb));
  int low, high;
  getSelectionLimits(low, high);
  bool focused = hasFocus();
  int offset = 0;
  for (const Piece& piece : pieces_) {
    fb::Colour c = !enabled_                    ? style->textDisabledColour
                   : piece.link == 0            ? style->textColour
                   : piece.link == hoveredLink_ ? Red
                                                : Blue;
    unsigned colour = toPixel(c, pb);
    gfxutil::Font* f = piece.font;
    const char* s = piece.text.get();
    int len = piece.text.length();
    plat::Point p = piece.rect.tl;
    if (focused && selectionOverlaps(offset, offset + len)) {
      drawSelectedRun(pb, f, s, len, p, offset, low, high, colour, piece.rect.br.y - p.y);
    } else {
      f->drawText(pb, s, p, colour);
    }
    if (piece.underline) {
      int y = piece.rect.tl.y + f->height - 2;
      fb::fillRect(pb, plat::Rect(piece.rect.tl.x, y, piece.rect.tl.x + f->textWidth(s), y + 1),
                   colour);
    }
    offset += len;
  }
}

plat::Point WLabelMarkedUp::getMinSize() const {
  return plat::Point(laidOutWidth_ + 2 * padding_, laidOutHeight_);
}

int WLabelMarkedUp::scratchLayout(const plat::Point& size, bool multiLine,
                                  plat::Point* minSize) const {
  WLabelMarkedUp scratch(nullptr, nullptr, hAlign_);
  scratch.setStyle(getStyle());
  scratch.padding_ = padding_;
  scratch.multiLine_ = multiLine;
  scratch.size_ = size;
  scratch.label_ = label_;
  scratch.wrap();
  *minSize = scratch.getMinSize();
  return scratch.laidOutHeight_;
}

int WLabelMarkedUp::getMinHeight(int width) const {
  plat::Point minSize;
  return scratchLayout(plat::Point(width, 0), multiLine_, &minSize);
}

int WLabelMarkedUp::getMinWidth(int) const {
  plat::Point minSize;
  scratchLayout(plat::Point(), false, &minSize);
  return minSize.x;
}

void WLabelMarkedUp::setEnabled(bool enabled) {
  hoveredLink_ = 0;
  pressed_ = false;
  Widget::setEnabled(enabled);
}

bool WLabelMarkedUp::handlePtrMove(const plat::Point& pos, Widget* w) {
  if (w == this) {
    int id = hitTest(pos);
    if (id != hoveredLink_) {
      hoveredLink_ = id;
      invalidate();
    }
  }
  return WLabel::handlePtrMove(pos, w);
}

// Only the first button follows a link: a wheel notch or a right click over
// one must not open it.
bool WLabelMarkedUp::handlePtrPress(unsigned char button, Widget* w) {
  if (w == this && button == 0 && hoveredLink_ != 0) {
    if (!pressed_) {
      pressed_ = true;
      invalidate();
    }
    return true;
  }
  return WLabel::handlePtrPress(button, w);
}

bool WLabelMarkedUp::handlePtrRelease(unsigned char button, Widget* w) {
  if (w == this && button == 0 && pressed_) {
    int link = hoveredLink_;
    hoveredLink_ = 0;
    pressed_ = false;
    invalidate();
    if (enabled_ && linkCallback_ && link != 0) linkCallback_->linkClicked(link);
    return true;
  }
  return WLabel::handlePtrRelease(button, w);
}

// The press is dropped too: its release will not come here, and a stale
// press would swallow the next release.
bool WLabelMarkedUp::handlePtrLeave(Widget* w) {
  if (w == this) {
    hoveredLink_ = 0;
    pressed_ = false;
  }
  return WLabel::handlePtrLeave(w);
}

bool WLabelMarkedUp::handleCopyText(Widget* w) {
  if (Widget::handleCopyText(w) || !selectable_) return true;
  int low, high;
  getSelectionLimits(low, high);
  std::string copied;
  int offset = 0;
  const Piece* before = nullptr;
  for (const Piece& piece : pieces_) {
    const char* s = piece.text.get();
    int len = piece.text.length();
    if (selectionOverlaps(offset, offset + len)) {
      if (!copied.empty() && before && before->rect.tl.y != piece.rect.tl.y) copied += '\n';
      copied.append(s + std::max(low - offset, 0), s + std::min(high - offset, len));
    }
    before = &piece;
    offset += len;
  }
  copyOut(copied);
  return true;
}

int WLabelMarkedUp::nearestTextPos(const plat::Point& p) {
  int offset = 0;
  for (const Piece& piece : pieces_) {
    if (p.y < piece.rect.tl.y) return offset;
    if (contains(piece.rect, p)) {
      const char* s = piece.text.get();
      return offset + int(piece.font->pixelPosToChar(p.x - piece.rect.tl.x, s) - s);
    }
    offset += piece.text.length();
  }
  return offset;
}

}  // namespace wvw
