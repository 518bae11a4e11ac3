// A titled group box: an etched rounded frame whose top line runs through the
// middle of the title, around an inner container placed below the title.
// Owners add widgets to content, or to the panel itself and place them.
#pragma once

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabel.h"
#include "lib2/wvw/WLayout.h"

namespace wvw {

class WPanel : public WLayout {
 public:
  explicit WPanel(const char* title);

  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  // The title greys with the panel; the content keeps its own flag.
  void setEnabled(bool enabled) override;

  WLayout& content() { return content_; }
  WLabel& title() { return title_; }

 private:
  WChild<WLayout> content_;
  WChild<WLabel> title_;
  int padding_ = 6;
  int halfTitleHeight_;
};

}  // namespace wvw
