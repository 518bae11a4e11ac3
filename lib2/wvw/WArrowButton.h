// A bevel button showing its own arrow, which lives and dies with it.
#pragma once

#include "lib2/wvw/WArrow.h"
#include "lib2/wvw/WBevelButton.h"
#include "lib2/wvw/WChild.h"

namespace wvw {

class WArrowButton : public WBevelButton {
 public:
  explicit WArrowButton(WArrow::Direction d);

  WChild<WArrow> arrow;
};

}  // namespace wvw
