// The golden-image check of a dialog shown on the private X server: the
// picture its widget tree draws into a buffer of its window's size, in
// which magenta shows wherever the tree left a pixel unpainted, compared
// pixel for pixel with a PNG (see Golden.h).
#pragma once

#include <string>

#include "lib2/fb/Draw.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/mui/MuDialog.h"
#include "lib2/tx/TXWParent.h"
#include "tests/support/Golden.h"

namespace gwtest {

// dialog: shown by the widget-set back-end.
inline testing::AssertionResult dialogMatchesGolden(mui::MuDialog* dialog,
                                                    const std::string& path) {
  auto* window = static_cast<tx::TXWParent*>(dialog->getWinPtr());
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), window->size(), nullptr);
  fb::fillRect(&pb, pb.getRect(), 0xFF00FF);
  window->child()->render(&pb);
  return matchesGolden(pb, path);
}

}  // namespace gwtest
