#pragma once

namespace plat {

// Text alignment on either axis. Drawing multiplies the free space by the
// value and halves it, so centre takes half and right or bottom all of it.
enum Alignment {
  ALIGN_LEFT = 0,
  ALIGN_TOP = 0,
  ALIGN_CENTRE = 1,
  ALIGN_RIGHT = 2,
  ALIGN_BOTTOM = 2
};

}  // namespace plat
