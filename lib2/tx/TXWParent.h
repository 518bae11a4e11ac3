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
//
// Pointer movement over a widget that nobody consumed arms a tooltip with
// that widget's tip text, shown in a popup of the screen root once the
// pointer has rested 500 ms; the next button, motion or key event, leaving
// the widget, hiding the window and destroying the host all take it down.
#pragma once

#include <map>
#include <memory>

#include "lib1/plat/Timer.h"
#include "lib2/fb/Region.h"
#include "lib2/tx/TXImage.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WParent.h"
#include "lib2/wvw/WTooltip.h"
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
  // The CLIPBOARD text; null when none can be had.
  const char* getCutText() const override;
  void setCutText(const char* utf8) override { setClipboard(utf8); }
  // The screen root; origin gets the window's top-left on the screen.
  wvw::WRoot* getRoot(plat::Point* origin) override;

  bool hasImage() const { return image_ != nullptr; }
  // Schedules the repaint of what is still dirty on the current timer
  // manager, for a host whose render timer a modal loop's manager took down.
  void resumeRepaint();
  // Called on every host when a modal loop has ended: starts again, on the
  // manager current now, what the loop's manager stopped. Here that is the
  // repaint; a derived window adds its own timers.
  virtual void resumeTimers() { resumeRepaint(); }
  wvw::Widget* child() const { return child_; }
  // Null until the pointer first moved over the tree.
  const wvw::WTooltip* tooltip() const { return tooltip_.get(); }
  // Drops the child without a call into it, which may be gone already; the
  // window is left with nothing to show. Its tip stays as it is.
  void forgetChild();
  // Takes the tip down, or keeps it from showing.
  void hideTip();

 protected:
  void resizeNotify() override;
  void handleEvent(TXWindow* w, XEvent* ev) override;

 private:
  bool handleTimeout(plat::Timer* t) override;
  bool handlePtrMove(const plat::Point& pos, wvw::Widget* w) override;
  bool handlePtrLeave(wvw::Widget* w) override;
  void showTip() { tooltip_->show(); }

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
  plat::Timer tipTimer_;
  // Made on first use: a host that never arms a tip needs no font.
  std::unique_ptr<wvw::WTooltip> tooltip_;
};

}  // namespace tx
