// Whoever hears a widget's events. Each operation names the widget the event
// concerns last and answers true when it consumed the event; the defaults
// hear nothing. Every widget is itself a handler, so a container can hear the
// events its children leave unconsumed.
#pragma once

#include "lib1/plat/Geometry.h"
#include "lib2/wvw/Forward.h"

namespace wvw {

class WInputHandler {
 public:
  virtual ~WInputHandler();

  virtual bool handlePtrMove(const plat::Point& pos, Widget* w);
  // button 0..7; 0 is the first (left) button.
  virtual bool handlePtrPress(unsigned char button, Widget* w);
  virtual bool handlePtrRelease(unsigned char button, Widget* w);
  virtual bool handlePtrLeave(Widget* w);
  virtual bool handleKeyEvent(unsigned int keysym, bool down, Widget* w);
  // w's focus changed; w->hasFocus() tells the new state. reverse: the focus
  // travels backwards (Shift+Tab, Up).
  virtual bool handleFocus(bool reverse, Widget* w);
  virtual bool handleClick(Widget* w);
  virtual bool handleChanged(Widget* w);
  virtual bool handleVisible(Widget* w);
  virtual bool handleStart(Widget* w);
  virtual bool handleStop(Widget* w);
  virtual bool handleEnable(Widget* w);
  virtual bool handleResize(Widget* w);
  virtual bool handlePasteText(Widget* w);
  virtual bool handleCopyText(Widget* w);
};

}  // namespace wvw
