// One menu entry: a button whose content is a label with an optional
// underlined hotkey letter and an optional check mark. An item without text
// is a separator: it never takes the focus and draws an etched line.
//
// The item highlights itself while focused by taking its menu's highlight
// style. Invariant: hotkeyIndex_ is -1 or the offset of a character inside
// the label's current text.
#pragma once

#include "lib2/wvw/WButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLabel.h"

namespace wvw {

class WMenu;

class WMenuItem : public WButton {
 public:
  // text null: a separator. With a menu, the item is appended to it.
  WMenuItem(WMenu* menu, const char* text, bool checkable);
  // Leaves its menu first, should the owner not have taken it out.
  ~WMenuItem() override;

  bool handlePtrMove(const plat::Point& pos, Widget* w) override;
  bool handleFocus(bool reverse, Widget* w) override;
  bool handleResize(Widget* w) override;
  void render(fb::WritablePixelBuffer* pb) override;
  plat::Point getMinSize() const override;
  bool acceptsFocus() const override;
  virtual void layout();

  // "&x" makes x the hotkey and underlines it; "&&" is "&".
  void setLabel(const char* text);
  // The text as given, with hotkey as the key. The underline stays where it
  // was while that place is still a character of the new text.
  void setLabel(const char* text, unsigned int hotkey);
  void setCheckable(bool checkable);
  void setChecked(bool checked);

  WMenu* menu() const { return menu_; }
  WLabel& label() { return label_; }
  int hotkey() const { return hotkey_; }
  int hotkeyIndex() const { return hotkeyIndex_; }
  bool isCheckable() const { return checkable_; }
  bool isChecked() const { return checked_; }
  bool isSeparator() const;

 protected:
  int indent() const;

 private:
  friend class WMenu;  // keeps menu_ in step with its list
  void relabel(const char* text);

  WMenu* menu_ = nullptr;
  WChild<WLabel> label_;
  int hotkey_ = 0;
  int hotkeyIndex_ = -1;
  bool checkable_;
  bool checked_ = false;
};

}  // namespace wvw
