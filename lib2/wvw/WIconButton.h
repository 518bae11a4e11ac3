// A bevel button showing its own icon, which lives and dies with it.
#pragma once

#include "lib2/wvw/WBevelButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WIcon.h"

namespace wvw {

class WIconButton : public WBevelButton {
 public:
  WIconButton(const unsigned char* mask, const plat::Point& size);

  WChild<WIcon> icon;
};

}  // namespace wvw
