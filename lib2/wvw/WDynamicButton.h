// A button whose look is one child per state (normal, hover, pressed), only
// the current one visible; a state without a child of its own falls back to
// the hover child and then the normal one. Clicks are WButton's.
//
// The state children are borrowed. Invariant: state_ is always a valid index.
#pragma once

#include "lib2/wvw/WButton.h"
#include "lib2/wvw/WChild.h"

namespace wvw {

class WDynamicButton : public WButton {
 public:
  enum State { Normal = 0, Hover = 1, Pressed = 2, NumStates = 3 };

  explicit WDynamicButton(bool focusable);

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handlePtrPress(unsigned char button, Widget* w) override;
  bool handlePtrRelease(unsigned char button, Widget* w) override;
  bool handlePtrLeave(Widget* w) override;
  bool handleEnable(Widget* w) override;
  bool handleResize(Widget* w) override;
  plat::Point getMinSize() const override;

  // A state outside Normal..Pressed is a fatal assertion, for both.
  void setState(State state);
  // Replaces the child of state (null: none); it is not resized here.
  void setChildForState(Widget* w, State state);

  State getState() const { return state_; }

 private:
  WChild<Widget*> stateChildren_[NumStates] = {WChild<Widget*>(this), WChild<Widget*>(this),
                                               WChild<Widget*>(this)};
  State state_ = Normal;
};

}  // namespace wvw
