// Translation between two true-colour formats without tables: each channel
// is taken out of the pixel, scaled by a multiply, an add and a shift, and
// put in its place in the output. The loops hold no table look-up, so the
// compiler vectorises them; they are built for 8-, 16- and 32-bit pixels on
// both sides.
//
// The invariant that matters: for every input pixel the output is exactly
// what the tables of TransTables.h give for the same pair of formats. prepare
// finds the multiply, add and shift of each channel against the table's own
// scaling of every channel value, and refuses (so that the caller keeps its
// tables) when no such arithmetic fits in 32 bits, when a maximum is not
// 2^n - 1, or when output channels overlap or pass the top of the pixel. The whole-pixel tables
// scale a channel through 8 bits and take the input after byte order and depth; the channel tables
// scale it in one step from a host-order value. prepare is told which of the two it stands in for.
#pragma once

#include <cstdint>

#include "lib2/fb/PixelFormat.h"

namespace fb {

class ShiftTranslator {
 public:
  // How the pixels would otherwise be translated.
  enum class Replaces {
    // A whole-pixel table: in is the source's own format (byte order and
    // depth apply).
    WholePixelTable,
    // Channel tables: in is the source's format as read from a host word.
    ChannelTables,
  };

  // Whether pixels of in can be translated to out here; on false nothing
  // was changed.
  bool prepare(const PixelFormat& in, Replaces replaces, const PixelFormat& out);
  // As the translation loops of TransLoops.h: strides count pixels. Only
  // after a successful prepare.
  void translate(const void* in, int inStride, void* out, int outStride, int width,
                 int height) const;

  // The arithmetic of the row loops, from the quickest to the most widely
  // fitting. With t = ((p >> pre) & mask) * mul + add for each channel:
  enum class Form {
    // out = (the three t & keep, combined) >> the common shift; pre is 0.
    InPlace,
    // The same with the channel shifted down first.
    PulledOut,
    // out = the three (t >> down) << up, combined.
    Separate,
  };
  struct Channel {
    uint32_t pre, mask, mul, add, keep, down, up;
  };
  using RowFn = void (*)(const Channel* channels, uint32_t down, const void* in, void* out,
                         int width);

 private:
  bool fitChannels(const PixelFormat& in, Replaces replaces, const PixelFormat& out, Form form,
                   Channel* channels, unsigned* down) const;

  Channel channels_[3] = {};
  uint32_t down_ = 0;
  RowFn row_ = nullptr;
  int inBytes_ = 0;
  int outBytes_ = 0;
  bool swapIn_ = false;
  bool swapOut_ = false;
};

}  // namespace fb
