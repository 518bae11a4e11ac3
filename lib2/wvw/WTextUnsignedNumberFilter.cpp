#include "lib2/wvw/WTextUnsignedNumberFilter.h"

#include "lib1/plat/StrUtil.h"

namespace wvw {

WTextUnsignedNumberFilter* WTextUnsignedNumberFilter::get() {
  static WTextUnsignedNumberFilter instance;
  return &instance;
}

bool WTextUnsignedNumberFilter::wtextFilter(WText*, const char* newText, int) {
  if (!newText[0]) return true;
  // The reader's rules would let a leading space or plus sign through, which
  // a number field has no use for.
  if (newText[0] < '0' || newText[0] > '9') return false;
  unsigned int value = 0;
  return plat::strToUint(&value, newText, 10) && value <= 2147483647u;
}

}  // namespace wvw
