// A piece of static text: one line or several wrapped to the widget's width,
// aligned inside it with padding, optionally underlined, on the style's
// background or transparent. A selectable label lets the user drag over the
// text with the first button and copy the selection; it shows the selection
// only while it has the keyboard focus.
//
// Positions in the text are byte offsets into the display lines joined
// without separators: the breaks take no position, and what the wrapping
// dropped (the newline, the space at a break) is not counted. The selection
// is an anchor and a signed length, so a drag backwards keeps its anchor.
//
// Invariant: textLength_ is the sum of the byte lengths of lines_.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/Alignment.h"
#include "lib1/plat/String.h"
#include "lib2/wvw/WEditMenu.h"
#include "lib2/wvw/Widget.h"

namespace gfxutil {
class Font;
}

namespace wvw {

class WLabel : public Widget, public WEditMenu::Callback {
 public:
  // The edit commands a label answers to.
  static constexpr int CommandCopy = WEditMenu::Copy;
  static constexpr int CommandSelectAll = WEditMenu::SelectAll;

  WLabel(const char* text, plat::Alignment hAlign);
  ~WLabel() override;

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handleFocus(bool reverse, Widget* w) override;
  bool handleEnable(Widget* w) override;
  bool handleResize(Widget* w) override;
  // With nothing selected the cut text is left alone: handing on an empty
  // text would wipe what the user copied elsewhere.
  bool handleCopyText(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  int getMinWidth(int height) const override;
  int getMinHeight(int width) const override;
  bool acceptsFocus() const override;

  // CommandSelectAll or CommandCopy; any other code is ignored.
  void editCommand(int code) override;
  // Breaks the text into display lines for the current size and settings.
  virtual void wrap();
  virtual int nearestTextPos(const plat::Point& p);

  // Null keeps no text. The same text again changes nothing.
  void setLabel(const char* text);
  const char* getLabel() const { return label_.get(); }
  // Removes the hotkey marks ("&&" is one "&", "&x" is "x").
  void processHotkeyText();
  void setAlignment(plat::Alignment h, plat::Alignment v);
  void setPadding(int padding);
  void setMultiLine(bool multiLine);
  void setTransparent(bool transparent);
  void setUnderlined(bool underlined);
  void setSelectable(bool selectable);
  void selectAll();
  void getSelectionLimits(int& low, int& high) const;
  // Top-left of display line i; a negative i gives the block's top-left
  // without a line's horizontal alignment.
  plat::Point getTextPos(int line) const;
  int getLineCount() const { return int(lines_.size()); }
  const char* getLine(int i) const { return lines_[size_t(i)].get(); }
  int getTextLength() const { return textLength_; }
  // Null until the label first opened it.
  WEditMenu* getEditMenu() const { return editMenu_.get(); }

 protected:
  gfxutil::Font* font() const;
  // Whether the selection [low, high) shares a byte with [offset, end).
  bool selectionOverlaps(int offset, int end) const;
  // Draws the run of len bytes at s, which starts offset bytes into the
  // text, at p in colour; the part inside the selection [low, high) is drawn
  // in the highlight colours on a band bandHeight pixels high.
  void drawSelectedRun(fb::WritablePixelBuffer* pb, gfxutil::Font* f, const char* s, int len,
                       plat::Point p, int offset, int low, int high, unsigned colour,
                       int bandHeight);
  // Hands the copied text to the host, or nothing when it is empty.
  void copyOut(const std::string& text);

  plat::String label_;
  plat::Alignment hAlign_;
  plat::Alignment vAlign_ = plat::ALIGN_CENTRE;
  int padding_ = 4;
  bool multiLine_ = true;
  bool transparent_ = false;
  bool underlined_ = false;
  bool selectable_ = false;
  // Made on the first third-button release of a selectable label.
  std::unique_ptr<WEditMenu> editMenu_;
  bool selecting_ = false;
  int selStart_ = 0;
  int selLength_ = 0;
  int textLength_ = 0;

 private:
  std::vector<plat::String> lines_;
};

}  // namespace wvw
