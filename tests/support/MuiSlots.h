// Empties every factory slot of the dialog model, as the back-ends a test
// installs do when they go, so that a later test meets an empty table.
#pragma once

#include "lib2/mui/MuFactories.h"

namespace gwtest {

inline void emptyMuiSlots() {
  mui::muDialogFactory = nullptr;
  mui::muFrameFactory = nullptr;
  mui::muLayoutFactory = nullptr;
  mui::muButtonFactory = nullptr;
  mui::muStaticFactory = nullptr;
  mui::muImageFactory = nullptr;
  mui::muEditFactory = nullptr;
  mui::muCheckFactory = nullptr;
  mui::muChoiceFactory = nullptr;
  mui::muListFactory = nullptr;
  mui::muPagerFactory = nullptr;
  mui::muScrollFactory = nullptr;
  mui::muSliderFactory = nullptr;
  mui::muSuperboxFactory = nullptr;
}

}  // namespace gwtest
