// One page of a tabbed sheet widget in a padded frame whose top line opens
// under the page's tab. The page is not owned; the sheet lets go of it when
// destroyed, so the page never points at a freed container.
#pragma once

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"

namespace wvw {

class WSheet : public WLayout {
 public:
  explicit WSheet(Widget* page);

  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;

  Widget* getPage() const { return page_; }

  plat::Rect tabRect;  // the tab in the tab row's coordinates
  int tabOffset = 0;   // the tab row's scroll, 0 or negative
  int padding = 10;

 private:
  WChild<Widget*> page_;
};

}  // namespace wvw
