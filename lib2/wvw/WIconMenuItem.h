// A menu item with an icon at its right edge, beside the label.
#pragma once

#include <memory>

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WIcon.h"
#include "lib2/wvw/WMenuItem.h"

namespace wvw {

class WIconMenuItem : public WMenuItem {
 public:
  WIconMenuItem(WMenu* menu, const char* text, bool checkable);

  bool handleResize(Widget* w) override;
  plat::Point getMinSize() const override;
  void layout() override;

  // Replaces the icon. mask is the caller's and must outlive the item.
  void addIcon(const unsigned char* mask, const plat::Point& size);

 private:
  WChild<std::unique_ptr<WIcon>> icon_;
};

}  // namespace wvw
