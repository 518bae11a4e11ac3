// A framed column of menu items. Items wrap into further columns when a
// height limit is set, the focused item is drawn in the highlight style, and a
// key press matching an enabled item's hotkey clicks that item. An item's
// click reaches the menu as one of the item's handlers and goes on to the
// menu's own handlers, where the owner listens.
//
// Items are not owned: whoever made an item removes it (remItem) before
// deleting it or the menu. Invariant: every item in items_ is a child of this
// menu exactly once and has this menu as its menu.
#pragma once

#include <vector>

#include "lib2/wvw/WFrame.h"
#include "lib2/wvw/WStyle.h"

namespace wvw {

class WMenuItem;

class WMenu : public WFrame {
 public:
  WMenu();
  // Empties the list; the items must already be out (see above).
  ~WMenu() override;

  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleVisible(Widget* w) override;
  bool handleStart(Widget* w) override;
  void styleChanged() override;
  void render(fb::WritablePixelBuffer* pb) override;
  virtual void hide() {}

  // In front of before; at the end when before is null or not an item. An
  // item already in the list moves rather than appearing twice.
  void addItem(WMenuItem* item, WMenuItem* before);
  // An item not in the menu is left alone; the menu only lays out again.
  void remItem(WMenuItem* item);
  // The caller owns the returned separator.
  WMenuItem* addSeparator(WMenuItem* before);
  void setRowSpace(int rowSpace);
  void setMinWidth(int minWidth);
  // 0: no limit.
  void setMaxHeight(int maxHeight);
  void updateAnyCheckable();
  void layout();

  bool anyCheckable() const { return anyCheckable_; }
  const WStyle* highlightStyle() const { return &highlightStyle_; }
  const std::vector<WMenuItem*>& items() const { return items_; }

 private:
  // One placing pass; columns whose content is taller than limit wrap.
  void placeColumns(const std::vector<WMenuItem*>& visible, int itemWidth, int limit);

  std::vector<WMenuItem*> items_;
  int maxHeight_ = 0;
  int minWidth_ = 0;
  int rowSpace_ = 0;
  WStyle highlightStyle_;
  bool anyCheckable_ = false;
};

}  // namespace wvw
