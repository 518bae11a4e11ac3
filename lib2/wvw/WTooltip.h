// A small popup showing a marked-up text on a pale yellow background inside
// a thin frame, near a widget. Its host sets the text, places it at a point
// of the widget the pointer rests on, and shows and hides it as a popup of
// the widget tree's root. The text is wrapped to a maximum width and the
// tooltip shrinks to the text, 2 pixels of frame on every side.
//
// Invariant: the label is the only child, at (2, 2), and the tooltip is 4
// pixels larger than it each way after every resize().
#pragma once
#include "lib1/plat/MarkUp.h"
#include "lib2/wvw/Forward.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabelMarkedUp.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

class WTooltip : public WLayout {
 public:
  static constexpr fb::Colour Background{255, 255, 221};

  WTooltip(int maxWidth, plat::MarkUp::LinkCallback* cb);

  void render(fb::WritablePixelBuffer* pb) override;

  void setMarkedUpText(const char* text);
  // Shown as it is: carets are escaped. Null: nothing to show.
  void setText(const char* text);
  // A bold first line (shown as it is) over a marked-up text.
  void setText(const char* title, const char* text);
  void setMaxWidth(int maxWidth);
  virtual void resize();
  // At point p of w, moved beside or above w where it would stick out of
  // the root, and kept inside the root.
  void setPosition(const plat::Point& p, Widget* w);
  // Nothing without text or before setPosition.
  void show();
  void hide();

  plat::Point getPosition() const { return position_; }
  const WLabelMarkedUp& getLabel() const { return label_; }

 private:
  int maxWidth_;
  WStyle style_;  // the label's, so it outlasts the label
  WChild<WLabelMarkedUp> label_;
  WRoot* root_ = nullptr;
  plat::Point position_;
};

}  // namespace wvw
