// mui::WHyperlinkButton: a button drawn as a link, underlined text with no
// bevel, blue, and red while the pointer is over it or it has the focus.
// Clicks are WButton's. The label fills the button and draws with the
// link's own style, which the owner may restyle (its font, say).
#pragma once

#include "lib2/wvw/WButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabel.h"
#include "lib2/wvw/WStyle.h"

namespace mui {

class WHyperlinkButton : public wvw::WButton {
 public:
  // style: copied, and drawn blue or red.
  WHyperlinkButton(bool focusable, const wvw::WStyle& style);

  bool handlePtrMove(const plat::Point& pos, wvw::Widget* w) override;
  bool handlePtrLeave(wvw::Widget* w) override;
  bool handleFocus(bool reverse, wvw::Widget* w) override;
  bool handleResize(wvw::Widget* w) override;
  plat::Point getMinSize() const override { return label_.getMinSize(); }

  wvw::WLabel* label() { return &label_; }
  wvw::WStyle& linkStyle() { return style_; }
  bool isHighlighted() const { return highlighted_; }

 private:
  // Repaints only when the look changes.
  void highlight(bool on);

  wvw::WStyle style_;
  wvw::WChild<wvw::WLabel> label_{nullptr, plat::ALIGN_LEFT};
  bool highlighted_ = false;
};

}  // namespace mui
