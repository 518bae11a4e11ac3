// The clickable container every button shares: it holds at most one child that
// shows its content, keeps a pressed look (down) and turns pointer button 0 and
// the Return and space keys into clicks. The button takes every pointer event
// itself; its child never sees one.
//
// The child is borrowed: whoever set it deletes it after taking it out again,
// and a button that goes first lets go of it.
// A click is offered to the handlers as handleClick(this) on the release that
// ends a press, never on a release without one. Moving with any button held
// gives the pressed look; it goes when the last button is released.
#pragma once

#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"

namespace wvw {

class WButton : public WLayout {
 public:
  explicit WButton(bool focusable);

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleEnable(Widget* w) override;
  bool acceptsFocus() const override;

  // Replaces the child (null: none); the old one is removed, not deleted.
  virtual void setChild(Widget* w);
  // False, doing nothing, when d is already the pressed look.
  bool setDown(bool d);

  Widget* getChild() const { return child_; }
  bool isDown() const { return down_; }

 protected:
  WChild<Widget*> child_{this};
  bool down_ = false;

 private:
  bool focusable_;
};

}  // namespace wvw
