// The edge auto-hider bound to X11: moves a TXWindow inside its parent and
// follows the pointer through Enter and Leave events of both. It installs
// itself as the event handler of the window (setWindow) and of the parent
// (attachToParent), passes every event on to the handler it replaced, and
// gives both windows their handlers back when it goes. setWindow must come
// before attachToParent; neither window is owned and both must outlive it.
//
// The pointer entering the window slides it in. Leaving it into the parent,
// or entering the parent from outside but not into the window, slides it
// out, the latter not while a preview runs; a Leave towards the screen edge,
// or one that finds the pointer still on the window (a grab took it), does
// not.
#pragma once

#include "lib2/tx/TXEventHandler.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/ui/AutoHider.h"

namespace ui {

class TXAutoHider : public AutoHider, private AutoHider::Widget, private TXEventHandler {
 public:
  TXAutoHider(Edge edge, int visible, Callback* callback);
  ~TXAutoHider() override;

  void setWindow(TXWindow* window);
  // Reparents the window into parent at (0, 0) and places it. Attaching to a
  // new parent gives the previous one its handler and event mask back.
  void attachToParent(TXWindow* parent);
  plat::Point position() const { return position_; }

 private:
  void handleEvent(TXWindow* window, XEvent* event) override;
  void move(const plat::Point& pos) override;
  plat::Point size() override;
  plat::Point parentSize() override;
  void detachParent();

  TXWindow* win_ = nullptr;
  TXWindow* parent_ = nullptr;
  TXEventHandler* prevWinHandler_ = nullptr;
  TXEventHandler* prevParentHandler_ = nullptr;
  long addedParentMask_ = 0;  // the crossing bits the parent lacked before us
  plat::Point position_;
};

}  // namespace ui
