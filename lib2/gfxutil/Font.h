// Proportional bitmap text: the operations the widgets use to draw, measure,
// cut and wrap UTF-8 text, written once over the two glyph primitives that a
// concrete font supplies (drawChar and charWidth).
//
// Every operation takes an optional end: null means the text runs to its
// NUL; otherwise the text stops at end or at an earlier NUL. A multi-byte
// sequence never reads past end. An invalid sequence counts as one character
// that draws and measures as code point 0's glyph.
#pragma once

#include <vector>

#include "lib1/plat/Alignment.h"
#include "lib1/plat/Geometry.h"
#include "lib1/plat/String.h"
#include "lib2/fb/WritablePixelBuffer.h"

namespace gfxutil {

class Font {
 public:
  virtual ~Font();

  // Paints code point c with the pen at pos: pos.x is the glyph origin, pos.y
  // the top of the text line. colour is a pixel in pb's format.
  virtual void drawChar(fb::WritablePixelBuffer* pb, int c, const plat::Point& pos,
                        unsigned int colour) = 0;
  virtual void drawText(fb::WritablePixelBuffer* pb, const char* text, const plat::Point& pos,
                        unsigned int colour, const char* end = nullptr);
  // Draws text aligned inside rect; text wider than rect is cut to fit,
  // with "..." after it when ellipsis is set (nothing at all when not even
  // one character fits before the dots).
  virtual void drawTextTrunc(fb::WritablePixelBuffer* pb, const char* text, const plat::Rect& rect,
                             unsigned int colour, plat::Alignment hAlign, plat::Alignment vAlign,
                             bool ellipsis, const char* end = nullptr);
  virtual int charWidth(int c) = 0;
  virtual int textWidth(const char* text, const char* end = nullptr);
  // The end of the longest prefix no wider than width (text for a negative
  // width).
  virtual const char* fitWidthEnd(const char* text, int width, const char* end = nullptr);
  // A glyph picture; no font here keeps one.
  virtual const void* getBitmap(int c);
  // The character boundary nearest to pixel x from the text's start.
  virtual const char* pixelPosToChar(int x, const char* text, const char* end = nullptr);

  // Appends the lines of text broken at newlines and, when width > 0, at
  // the last space or tab before a line grows wider than width (a longer
  // word overflows). Returns the widest line's width.
  int wrap(const char* text, int width, std::vector<plat::String>* lines);

  int height = 0;
};

}  // namespace gfxutil
