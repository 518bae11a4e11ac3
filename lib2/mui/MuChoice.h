// mui::MuChoice: a drop-down choice with a label. It holds items, each an
// integer id with a text, kept in id order (adding an id that is there
// replaces its text), and a current text: the text of the item it names, or
// empty for none, or in an Editable choice whatever a person typed. The
// selection is the id of the item whose text equals the current text, -1
// when none does.
//
// A change of the current text by a person, or by setText, sends
// MuEventChanged; setSelection sends nothing. A choice that is not Editable
// takes no typing: its text is always an item's text, or empty.
#pragma once

#include "lib2/mui/MuElement.h"

namespace mui {

class MuChoice : public MuElement {
 public:
  // The flags of muChoice.
  enum Flag {
    Editable = 1,      // the current text can be typed
    Autocomplete = 2,  // typing is completed from the item texts
  };

  MuChoice(MuContainer* parent, const char* id, const char* label) : MuElement(parent, id, label) {}

  // An id no item has empties the text.
  virtual void setSelection(int id) = 0;
  virtual int getSelection() const = 0;
  // The number of items.
  virtual int size() const = 0;
  // Null counts as empty.
  virtual void setText(const char* text) = 0;
  // Never null; valid until the next change.
  virtual const char* getText() const = 0;
  // text must not be null.
  virtual void addItem(int id, const char* text) = 0;
  // An unknown id is ignored.
  virtual void removeItem(int id) = 0;
  virtual void removeAllItems() = 0;

  const char* getType() const override { return "choice"; }
  plat::DString getState() override;
};

}  // namespace mui
