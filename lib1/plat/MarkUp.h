// The caret mark-up of user-visible texts (the About dialog, tooltips,
// marked-up labels):
//   ^b bold, ^u underlined, ^n normal (in force until the next font code);
//   ^m+ ^m- indent or outdent the left margin by 6 pixels, ^m0 resets it,
//   ^m@ sets it to the current horizontal position;
//   ^<number>{ starts link <number> (a decimal without leading zero), ^} ends
//   it; links do not nest, a new one replaces the current number;
//   ^^ is a literal caret. A newline ends the line and belongs to the item
//   that it ends.
#pragma once

#include "lib1/plat/DString.h"

namespace plat {
namespace MarkUp {

enum Font : int { FontNormal = 0, FontBold = 1, FontUnderline = 2 };

// Receives the text cut into items: runs of text with one font and link.
class Handler {
 public:
  virtual ~Handler() = default;
  // halfLine marks a lone newline at the very start of a line, an empty
  // line, which a layout may make lower than a line of text.
  virtual void markUpItem(const char* text, Font font, int link, bool halfLine) = 0;
  // op is one of '+', '-', '0', '@'.
  virtual void markUpMarginOp(char op);
};

// Cuts text into items for handler. Bad mark-up throws plat::Exception
// (plat::BadInt for a link number beyond an int) once the items before it
// have been delivered. A null text holds nothing.
void parse(const char* text, Handler* handler);

// Told when the user clicks a link of a laid-out text.
class LinkCallback {
 public:
  virtual ~LinkCallback() = default;
  virtual void linkClicked(int link) = 0;
};

// The plain text: every code removed, "^^" reduced to "^", newlines kept.
class Stripper : public Handler, public DString {
 public:
  // Throws as parse() does.
  explicit Stripper(const char* text);

  void markUpItem(const char* text, Font font, int link, bool halfLine) override;
};

}  // namespace MarkUp
}  // namespace plat
