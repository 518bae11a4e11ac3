#include "lib2/tx/TXWRoot.h"

#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXWPopup.h"

namespace tx {

TXWRoot* TXWRoot::inst() {
  static TXWRoot root;
  return &root;
}

TXWRoot::~TXWRoot() {
  // The tips of these windows belong to them and are alive: take them down
  // properly while the table still holds their popups. Hiding a tip removes
  // another entry, so the walk goes on from the key.
  for (auto it = popups_.begin(); it != popups_.end();) {
    const wvw::Widget* key = it->first;
    it->second->hideTip();
    it = popups_.upper_bound(key);
  }
  // The owners of the remaining widgets may have freed them already: forget
  // them before the windows go, so that taking a window down calls nothing
  // of a widget.
  for (auto& entry : popups_) entry.second->forgetChild();
  // Out of the table before they go: a window going down asks to hide its
  // own tip.
  auto popups = std::move(popups_);
  popups_.clear();
}

plat::Rect TXWRoot::getRect() {
  int screen = DefaultScreen(dpy);
  return plat::Rect(0, 0, DisplayWidth(dpy, screen), DisplayHeight(dpy, screen));
}

void TXWRoot::showPopup(wvw::Widget* widget, bool show, bool grab, const plat::Point& pos) {
  auto it = popups_.find(widget);
  if (!show) {
    if (it == popups_.end()) return;
    std::unique_ptr<TXWPopup> popup = std::move(it->second);
    // Out of the table before it goes: its widget's stop may show or hide
    // popups again.
    popups_.erase(it);
    if (TXWindow::grabPointerWin == popup.get()) popup->grabPointerAndKeyboard(false, None);
    return;
  }
  if (it == popups_.end())
    it = popups_.emplace(widget, std::make_unique<TXWPopup>(widget, nullptr)).first;
  TXWPopup* popup = it->second.get();
  popup->resize(widget->getSize());
  XMoveWindow(dpy, popup->win(), pos.x, pos.y);
  popup->show(true);
  // A grab held elsewhere stays where it is: the request then fails.
  if (grab && TXWindow::grabPointerWin != popup) popup->grabPointerAndKeyboard(true, None);
}

TXWPopup* TXWRoot::popupOf(const wvw::Widget* widget) const {
  auto it = popups_.find(widget);
  return it == popups_.end() ? nullptr : it->second.get();
}

}  // namespace tx
