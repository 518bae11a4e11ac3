// The ready-made text filter for unsigned decimal numbers that fit a signed
// 32-bit int: an empty text, or digits only, read whole in base 10 with a value of
// at most 2147483647. One process-wide instance, made on first use.
#pragma once

#include "lib2/wvw/WText.h"

namespace wvw {

class WTextUnsignedNumberFilter : public WText::Filter {
 public:
  static WTextUnsignedNumberFilter* get();
  bool wtextFilter(WText* text, const char* newText, int ch) override;
};

}  // namespace wvw
