// An X window that hosts one tree of widgets. Inward it turns the window's X
// events into widget input (pointer position and button mask, keys as
// keysyms, leaving, loss of focus); outward it is the tree's WParent.
//
// It draws with no help from the server: the tree renders into an off-screen
// TXImage of the window's size and only changed rectangles are copied to the
// window. Repaint requests collect in a dirty region that is rendered 10 ms
// after the first of them; exposed areas are rendered at once.
//
// Invariants, after every startOrStop: the image exists exactly while the
// child is started and exactly while the window is mapped, and the render
// timer is scheduled only while the image exists. The child is treated as
// lying at (0, 0), so its coordinates are the window's. A host that can get
// events must hold a child: setChild(nullptr) hides the window.
#pragma once

#include <map>
#include <memory>

#include "lib1/plat/Timer.h"
#include "lib2/fb/Region.h"
#include "lib2/tx/TXImage.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WParent.h"
#include "lib2/wvw/Widget.h"

namespace tx {

class TXWParent : public TXWindow,
                  public wvw::WParent,
                  private TXEventHandler,
                  private wvw::WInputHandler,
                  private plat::Timer::Callback {
 public:
  TXWParent(wvw::Widget* child, TXWindow* parent, bool overrideRedirect);
  ~TXWParent() override;

  // Neither starts the new child nor stops the former one: that happens
  // when the window is next shown or mapped.
  virtual void setChild(wvw::Widget* w);
  void show(bool visible);
  void resizeToFit();

  void invalidateChild(wvw::Widget* w, const fb::Region& r) override;
  void bell() override;
  void requestChildFocus(wvw::Widget*) override {}
  // The child holds the focus whatever the X keyboard focus is.
  bool childHasFocus(const wvw::Widget* w) const override { return w == child_; }
  // There is nothing beyond the child: focus movement stays in the tree.
  bool focusNext() override { return false; }
  bool focusPrev() override { return false; }
  bool isKeyPressed(unsigned keysym) const override;
  // The CLIPBOARD text, "" when none can be had; never null.
  const char* getCutText() const override;
  void setCutText(const char* utf8) override { setClipboard(utf8); }

  bool hasImage() const { return image_ != nullptr; }
  // Schedules the repaint of what is still dirty on the current timer
  // manager, for a host whose render timer a modal loop's manager took down.
  void resumeRepaint();

 protected:
  void resizeNotify() override;

 private:
  void handleEvent(TXWindow* w, XEvent* ev) override;
  bool handleTimeout(plat::Timer* t) override;

  void startOrStop();
  void renderDirty();
  // Renders rectangle r of the child into the image and puts it to the window.
  void renderAndPut(const plat::Rect& r);
  void pointerEvent(XEvent* ev, int buttonMask);
  void keyEvent(XEvent* ev);
  void keyEvent(int keycode, unsigned keysym, bool down);

  std::unique_ptr<TXImage> image_;
  wvw::Widget* child_ = nullptr;  // not owned
  std::map<int, unsigned> keysDown_;
  fb::Region dirtyRegion_;
  plat::Timer renderTimer_;
};

}  // namespace tx
