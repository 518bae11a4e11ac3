// A label whose text carries the caret mark-up: it is laid out into pieces,
// each in one font (the style's, or "helvB15" for bold), possibly underlined
// and possibly part of a numbered link. Links are drawn blue, red under the
// pointer, and a click on one with the first button is reported to the link
// callback. Selection and copying work over the pieces' texts joined in
// layout order, as in a plain label.
//
// Invariants: textLength_ is the sum of the pieces' byte lengths; pressed_
// is set only while a first-button press on a link waits for its release.
#pragma once
#include <vector>

#include "lib1/plat/MarkUpLayout.h"
#include "lib1/plat/String.h"
#include "lib2/wvw/WLabel.h"

namespace wvw {

class WLabelMarkedUp : public WLabel, public plat::MarkUp::Layout::Callback {
 public:
  // cb is not owned and may be null.
  WLabelMarkedUp(plat::MarkUp::LinkCallback* cb, const char* text, plat::Alignment hAlign);
  ~WLabelMarkedUp() override;

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handlePtrLeave(Widget* w) override;
  bool handleCopyText(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  int getMinWidth(int height) const override;
  int getMinHeight(int width) const override;
  void setEnabled(bool enabled) override;
  // Bad mark-up lays out the pieces before it and logs the error.
  void wrap() override;
  int nearestTextPos(const plat::Point& p) override;

  void setFontAndLinkId(plat::MarkUp::Font font, int link) override;
  int getFontHeight() override;
  int getTextWidth(const char* from, const char* to) override;
  void addItem(const char* from, const char* to, const plat::Rect& rect) override;

  // The link under p (widget coordinates); 0 when none.
  int hitTest(const plat::Point& p) const;
  int getHoveredLink() const { return hoveredLink_; }

  struct Piece {
    gfxutil::Font* font;
    bool underline;
    plat::String text;
    int link;
    plat::Rect rect;
  };
  const std::vector<Piece>& getPieces() const { return pieces_; }

 private:
  // A label of the same text, padding and style, laid out at size.
  int scratchLayout(const plat::Point& size, bool multiLine, plat::Point* minSize) const;
  void alignPieces();

  plat::MarkUp::LinkCallback* linkCallback_;
  std::vector<Piece> pieces_;
  int laidOutWidth_ = 0;
  int laidOutHeight_ = 0;
  gfxutil::Font* currentFont_ = nullptr;
  bool currentUnderline_ = false;
  int currentLinkId_ = 0;
  int hoveredLink_ = 0;
  bool pressed_ = false;
};

}  // namespace wvw
