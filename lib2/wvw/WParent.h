// What hosts a widget: a container for its children, or the window for the
// top-level widget of a tree. Repaint requests arrive in the child's own
// coordinates; the focus is a chain of hosts each naming one focused child.
#pragma once

#include "lib2/fb/Region.h"
#include "lib2/wvw/Forward.h"

namespace wvw {

struct WStyle;

class WParent {
 public:
  virtual ~WParent();

  virtual void invalidateChild(Widget* child, const fb::Region& region) = 0;
  virtual void bell() = 0;
  virtual void requestChildFocus(Widget* child) = 0;
  virtual bool childHasFocus(const Widget* child) const = 0;
  // False when the host has nothing to move the focus to.
  virtual bool focusNext() = 0;
  virtual bool focusPrev() = 0;
  virtual bool isKeyPressed(unsigned int keysym) const = 0;
  // Null when there is no cut text, which is not the same as an empty one:
  // pasting nothing must leave a selection alone.
  virtual const char* getCutText() const = 0;
  virtual void setCutText(const char* text) = 0;
  // Null: nothing to inherit.
  virtual const WStyle* getWidgetStyle() const;
  // The screen root, with the host's top-left in screen coordinates stored
  // through origin when that is given; null for a host without a root.
  virtual WRoot* getRoot(plat::Point* origin);
};

}  // namespace wvw
