// A stand-in for the window that hosts a widget tree, for widget tests: it is
// the tree's WParent and WRoot, renders into a ManagedPixelBuffer in the
// window's format (fb::PixelFormat::rgb888()), gathers the repaint requests,
// keeps the held keys, the cut text and the popups, counts bells, and feeds
// pointer and key events in as the window layer would. It answers the host queries the way the
// window does: only the hosted widget can have the focus (once focusWindow() gave it), the focus
// never moves on from the top (so containers wrap round), and the events that
// nobody below consumed are heard by topEvents. The destructor stops the
// hosted widget, so a test declares the host after the tree: the host goes
// first and stops the tree whole, and the children, kept in wvw::WChild, then
// leave their stopped containers. A widget that goes before the host is
// unhosted first.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/wvw/WParent.h"
#include "lib2/wvw/WRoot.h"
#include "lib2/wvw/Widget.h"
#include "tests/support/EventLog.h"

namespace gwtest {

class WidgetHost : public wvw::WParent, public wvw::WRoot {
 public:
  // The window's size, and where it sits on a 1280x1024 screen.
  explicit WidgetHost(plat::Point size, plat::Point screenPos = plat::Point(100, 50));
  ~WidgetHost() override;

  // Sizes w to the window unless it has a size, and starts it.
  void host(wvw::Widget* w);
  void unhost();
  // The window gains or loses the keyboard focus.
  void focusWindow(bool focused);

  // Paints the window background, then the widget over it; returns the image.
  fb::ManagedPixelBuffer& render();
  // The repaint requests since the last call, as one region; clears them.
  fb::Region takeDirty();
  // The same as rectangles "x1,y1-x2,y2", in band order; "" when clean.
  std::string dirtyText();

  void pointer(plat::Point pos, int buttonMask = 0);
  void leave();
  void key(unsigned int keysym, bool down);
  // Down and up, with the modifiers held around it.
  void press(unsigned int keysym, std::vector<unsigned int> modifiers = {});

  void invalidateChild(wvw::Widget* child, const fb::Region& region) override;
  void bell() override { bells++; }
  void requestChildFocus(wvw::Widget*) override {}
  bool childHasFocus(const wvw::Widget* child) const override;
  bool focusNext() override { return false; }
  bool focusPrev() override { return false; }
  bool isKeyPressed(unsigned int keysym) const override { return held_.count(keysym) != 0; }
  const char* getCutText() const override { return noCutText ? nullptr : cutText.c_str(); }
  void setCutText(const char* text) override { cutText = text; }
  wvw::WRoot* getRoot(plat::Point* origin) override;

  plat::Rect getRect() override { return plat::Rect(0, 0, 1280, 1024); }
  void showPopup(wvw::Widget* popup, bool show, bool grab, const plat::Point& pos) override;

  int bells = 0;
  std::string cutText;
  // Nothing to paste at all, which an empty cutText is not.
  bool noCutText = false;
  // One line per showPopup call: "show|hide [grab] x,y".
  std::vector<std::string> popups;
  EventLog topEvents;

 private:
  fb::ManagedPixelBuffer pb_;
  plat::Point screenPos_;
  wvw::Widget* widget_ = nullptr;
  bool focused_ = false;
  fb::Region dirty_;
  std::set<unsigned int> held_;
};

}  // namespace gwtest
