// The drop-down choice: a one-line text field showing the current text, an
// arrow button beside it and a popup menu of items, each an integer id and a
// text. Picking an item puts its text into the field; an editable choice also
// takes typing, optionally completed from the item texts. The value is the
// text: the id is found by looking the text up among the items, so a typed
// text that equals an item's selects that item's id.
//
// The menu lists the items in the order they were added; everything else
// (entries, stepping, completion, id look-up) goes by ascending id. Item texts
// are kept exactly as given, with no hotkey marks taken out, so "R&D" shows
// and reads back as "R&D". The menu counts as shown only while the menu
// widget is visible: the window layer may take it down on its own.
//
// Invariant: every item in items_ is in menu_ exactly once and owned here;
// the menu is never a child of the choice.
#pragma once

#include <list>
#include <map>
#include <memory>

#include "lib1/plat/String.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WChoiceButton.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WMenuItem.h"
#include "lib2/wvw/WRootMenu.h"
#include "lib2/wvw/WTextAutocomplete.h"

namespace wvw {

class WChoice : public WLayout {
 public:
  // owner: the composite holding the choice; kept for it, not used here.
  WChoice(WLayout* owner, bool editable, bool caseSensitive, int maxLen);
  // Takes a shown menu down before its items leave it and go.
  ~WChoice() override;

  // Replaces an item of the same id. str must not be null.
  void addItem(int id, const char* str);
  // An unknown id is ignored.
  void remItem(int id);
  void remAllItems();

  // Never null.
  const char* getStr() const { return text_.getText(); }
  // Reports a change (handleChanged(this)) unless the text is already s.
  void setStr(const char* s);
  // s when it is an item's text, otherwise the text of item id ("" if none).
  void setStr(const char* s, int id);
  // An unknown id empties the text.
  void setId(int id);
  // The first id (ascending) whose text equals the current one exactly; -1.
  int getId() const;
  // The next (or previous) item after the current text's, wrapping round;
  // the first (last) when the text is no item's. -1 without items.
  int next(bool forward);
  // Selects the whole text of an editable choice.
  void selectChoice();
  // Appends "id:text" per item in id order.
  void getEntries(std::list<plat::String>* out) const;
  // Hands the item texts as they are now to the field's completion.
  void enableAutocomplete(bool on);

  bool handleFocus(bool reverse, Widget* w) override;
  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleClick(Widget* w) override;
  bool handleResize(Widget* w) override;
  plat::Point getMinSize() const override;
  void setEnabled(bool enabled) override;

  WLayout* getOwner() const { return owner_; }
  WTextAutocomplete* getText() { return &text_; }
  WChoiceButton* getButton() { return &button_; }
  WRootMenu* getMenu() { return &menu_; }

 private:
  static const char* textOf(WMenuItem& item);
  // w when it is one of the items, else null.
  WMenuItem* itemOf(const Widget* w) const;

  WLayout* owner_;
  bool caseSensitive_;
  WChild<WTextAutocomplete> text_;
  WRootMenu menu_;
  WChild<WChoiceButton> button_;
  std::map<int, std::unique_ptr<WMenuItem>> items_;
};

}  // namespace wvw
