// mui::MuCommonWvw: the back-end object of every element realised on the
// widget set. It drives one widget, which it does not own: the back-end
// class that built the widget keeps it (in a wvw::WChild) and takes it down.
//
// Invariant: the widget is never null and outlives this object's use; the
// element that owns this object goes before or together with its widget.
#pragma once

#include "lib2/mui/MuCommon.h"
#include "lib2/mui/MuElement.h"
#include "lib2/wvw/Widget.h"

namespace mui {

class MuCommonWvw : public MuCommon {
 public:
  explicit MuCommonWvw(wvw::Widget* widget);

  void show(bool shown) override { widget_->setVisible(shown); }
  bool isShown() const override { return widget_->isVisible(); }
  void enable(bool usable) override { widget_->setEnabled(usable); }
  void focus() override { widget_->requestFocus(); }
  bool hasFocus() const override { return widget_->hasFocus(); }
  // Equal texts (two nulls among them) leave the widget alone, so that a
  // tip being shown is not rebuilt for nothing.
  void setTip(const char* tip) override;
  void setSize(const plat::Point& size) override { widget_->setSize(size); }
  plat::Point getSize() const override { return widget_->getSize(); }
  int getMinWidth(int height) const override { return widget_->getMinWidth(height); }
  int getMinHeight(int width) const override { return widget_->getMinHeight(width); }
  // The position inside the container widget that lists the widget.
  void setPos(const plat::Point& pos) override { widget_->setPos(pos); }
  plat::Point getPos() const override { return widget_->getPos(); }

  wvw::Widget* widget() const { return widget_; }

 private:
  wvw::Widget* widget_;
};

// The widget of an element of this back-end. A null element, or one whose
// back-end object is missing or of another back-end, is a broken invariant.
wvw::Widget* getWidget(const MuElement* element);

// Where w's top-left lies in the window whose widget tree holds it (the top
// widget sits at (0, 0)).
plat::Point originInWindow(const wvw::Widget* w);

}  // namespace mui
