// mui::MuChoiceWvw: the choice element on the widget set, a drop-down choice
// beside its label. The field holds at least 255 bytes, and more when an
// item's text is longer, so that every item can be selected.
//
// Every change of the field's text is a change of the choice's value, and
// each one the program does not make under its guard (setSelection, and
// keeping to the items below) sends MuEventChanged: a pick from the menu, a
// step with Up or Down, typing into an Editable choice, and setText.
//
// A choice that is not Editable refuses every edit a person makes in its
// field (typing, deleting, pasting), with a bell, refuses setText with a text
// that is no item's, and when its item changes under it follows the item's
// id, or empties: so its text is always an item's text, or empty.
#pragma once

#include "lib2/mui/MuChoice.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLabelChoice.h"
#include "lib2/wvw/WText.h"

namespace mui {

class MuChoiceWvw : public MuChoice, private wvw::WInputHandler, private wvw::WText::Filter {
 public:
  // flags: MuChoice::Flag bits.
  MuChoiceWvw(MuContainer* parent, const char* id, const char* label, int flags);

  // On the drop-down button and the label, and on the field of a choice that
  // is not Editable.
  void setTip(const char* tip) override;
  void setLabelSplit(int labelSplit, int childSplit) override;
  int getLabelMinUnwrappedWidth() override;
  // "id:text\n" per item, in id order.
  plat::DString getItems() override;

  void setSelection(int id) override;
  int getSelection() const override;
  int size() const override;
  void setText(const char* text) override;
  const char* getText() const override;
  void addItem(int id, const char* text) override;
  void removeItem(int id) override;
  void removeAllItems() override;

  wvw::WChoice* getChoice() const { return choice_; }

 private:
  bool handleChanged(wvw::Widget* w) override;
  // Installed only in a choice that is not Editable: refuses everything.
  bool wtextFilter(wvw::WText* text, const char* newText, int ch) override;
  bool isItemText(const char* text) const;
  // After the items changed; selected: the selection before.
  void itemsChanged(int selected);

  wvw::WChild<wvw::WLabelChoice> labelChoice_;
  wvw::WChoice* const choice_ = labelChoice_.getChoice();
  const bool editable_;
  const bool autocomplete_;
  // True while the program changes the text without an event.
  bool settingSelection_ = false;
};

MuChoice* muChoiceWvw(MuContainer* parent, const char* id, const char* label, int flags);

}  // namespace mui
