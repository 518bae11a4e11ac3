// The screen root of the widget set on X: the default screen's rectangle,
// and popup windows (menus, drop-down lists, tooltips) shown for widgets.
//
// At most one popup window per widget: it is made on the widget's first
// show, moved and reused by later shows, and destroyed when the widget's
// popup is hidden. The one instance is made on first use and lives until the
// process ends; at that point the widgets of popups still up may be gone, so
// the root then takes its windows down without a call into them.
#pragma once

#include <map>
#include <memory>

#include "lib2/wvw/WRoot.h"

namespace tx {

class TXWPopup;

class TXWRoot : public wvw::WRoot {
 public:
  static TXWRoot* inst();

  plat::Rect getRect() override;
  // Show: the widget's popup window at pos (screen coordinates) in the
  // widget's size, grabbing pointer and keyboard when grab is set and nobody
  // holds the pointer grab. Hide: releases the popup's grab and destroys it;
  // a widget without popup is left alone.
  void showPopup(wvw::Widget* widget, bool show, bool grab, const plat::Point& pos) override;

  // The window showing widget, or null.
  TXWPopup* popupOf(const wvw::Widget* widget) const;

 private:
  TXWRoot() = default;
  ~TXWRoot() override;

  std::map<const wvw::Widget*, std::unique_ptr<TXWPopup>> popups_;
};

}  // namespace tx
