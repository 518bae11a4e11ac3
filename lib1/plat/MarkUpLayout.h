// Laying out marked-up text in lines of limited width. The layout measures
// and places through a callback (the widget that shows the text), which
// knows the fonts.
#pragma once

#include "lib1/plat/Geometry.h"
#include "lib1/plat/MarkUp.h"

namespace plat {
namespace MarkUp {

class Layout : public Handler {
 public:
  class Callback {
   public:
    virtual ~Callback() = default;
    // Selects the font and link for the measurements and items that follow.
    virtual void setFontAndLinkId(Font font, int link) = 0;
    // Line height in pixels of the selected font.
    virtual int getFontHeight() = 0;
    virtual int getTextWidth(const char* begin, const char* end) = 0;
    // Places [begin, end) at rect. The range points into the item text,
    // which lives only during the call.
    virtual void addItem(const char* begin, const char* end, const Rect& rect) = 0;
  };

  // width <= 0: no limit. Pass the layout to parse(), then read the extent.
  Layout(Callback* cb, int width);

  void markUpItem(const char* text, Font font, int link, bool halfLine) override;
  // '+' and '-' move the margin and the current position by 6 pixels, '0'
  // sets both to 0, '@' sets the margin to the current position. Anything
  // else throws "Bad margin operator: <op>".
  void markUpMarginOp(char op) override;

  // The greatest right and bottom edges of everything placed: the size of
  // the laid-out text.
  const Point& getExtent() const { return extent_; }

 private:
  void newLine(int h);
  void place(const char* begin, const char* end, int w, int h);

  Callback* cb_;
  Point pos_;
  Point extent_;
  int margin_ = 0;
  int maxWidth_;
};

}  // namespace MarkUp
}  // namespace plat
