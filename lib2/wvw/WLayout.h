// The container widget: children at explicit positions, in a list whose order
// is both drawing order (later entries on top) and focus order. It starts and
// stops its children with itself, draws each clipped to its rectangle, routes
// the pointer to the topmost child under it (keeping it on the child a press
// captured until every button is up), hands keys to its focused child, and
// moves the focus along its children, handing over to its own parent at
// either end.
//
// Children are not owned: whoever made a child removes it before destroying
// it, which a WChild holding it does by itself. The container is each
// started child's host and input handler, so the events a child leaves
// unconsumed reach the container's handlers.
//
// Invariants: startedChildren_ holds only children in ws_, and only while the
// container is started; every child in ws_ has this container as its
// parentLayout_.
#pragma once

#include <set>
#include <vector>

#include "lib2/wvw/WParent.h"
#include "lib2/wvw/Widget.h"

namespace wvw {

class WLayout : public Widget, public WParent {
 public:
  explicit WLayout(bool routePointer);
  ~WLayout() override;

  bool handleFocus(bool reverse, Widget* w) override;
  void styleChanged() override;
  void start(WParent* parent, WInputHandler* handler) override;
  void stop() override;
  void pointerEvent(const plat::Point& pos, int buttonMask) override;
  void pointerLeave() override;
  void keyEvent(unsigned int keysym, bool down) override;
  void render(fb::WritablePixelBuffer* pb) override;
  void bell() override;
  plat::Point getMinSize() const override;
  bool acceptsFocus() const override;
  bool isKeyPressed(unsigned int keysym) const override;

  void invalidateChild(Widget* child, const fb::Region& region) override;
  void requestChildFocus(Widget* child) override;
  bool childHasFocus(const Widget* child) const override;
  bool focusNext() override;
  bool focusPrev() override;
  // Without a parent there is no cut text (null) and nothing takes it.
  const char* getCutText() const override;
  void setCutText(const char* text) override;
  const WStyle* getWidgetStyle() const override;

  // before: in front of that child; at the end when null or not a child.
  virtual void add(Widget* w, Widget* before);
  virtual void add(Widget* w, const plat::Point& pos, Widget* before);
  virtual void add(Widget* w, const plat::Rect& r, Widget* before);
  // A widget that is not a child loses only its focus, capture and layout link.
  virtual void remove(Widget* w);
  // Moves child w in front of before (to the end when null or not a child),
  // keeping its place, focus and capture. The list's order is the focus
  // order, so an owner that rearranges its children on screen moves them
  // here too.
  void moveChild(Widget* w, Widget* before);
  // w must be a child.
  virtual void setPos(Widget* w, const plat::Point& pos);
  virtual void setPos(Widget* w, const plat::Rect& r);
  virtual plat::Point getChildPos(Widget* w) const;
  virtual plat::Rect getChildRect(Widget* w) const;
  // Moves the children so their union, widened by margin, starts at (0,0),
  // and takes its size.
  virtual void resizeToFit(int margin);

  void setChildFocus(Widget* child, bool reverse);
  void initFocus(bool reverse);

  Widget* getFocusedChild() const { return focusedChild_; }
  Widget* getPointerChild() const { return pointerChild_; }
  int getChildCount() const { return int(ws_.size()); }
  Widget* getChild(int i) const { return ws_[size_t(i)].widget; }

  using Widget::getRoot;
  using Widget::setPos;

 private:
  struct Entry {
    Widget* widget;
    plat::Point pos;
  };
  std::vector<Entry>::const_iterator find(const Widget* w) const;
  std::vector<Entry>::iterator find(const Widget* w);
  const Entry& entryOf(const Widget* w) const;
  void startChild(Widget* w);

  Widget* focusedChild_ = nullptr;
  Widget* pointerChild_ = nullptr;
  std::vector<Entry> ws_;
  std::set<Widget*> startedChildren_;
  bool routePointer_;
};

}  // namespace wvw
