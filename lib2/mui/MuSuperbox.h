// mui::MuSuperbox: a combo box whose drop-down is a whole dialog. A labelled
// one-line entry with a drop button; under the entry opens a popup dialog
// that the element owns and its owner fills like any other dialog. A key
// callback sees every key typed in the entry before the box does.
//
// The drop button reports MuEventClicked; an edit the user makes in the
// entry reports MuEventChanged, a text the program sets never does.
//
// Invariants: the popup exists from construction to destruction and is
// closed at first; it belongs to the dialog holding the box and is placed in
// that dialog's window coordinates plus the box's, under the entry row.
#pragma once

#include <memory>

#include "lib2/mui/MuDialog.h"
#include "lib2/mui/MuElement.h"

namespace mui {

class MuSuperbox : public MuElement {
 public:
  class Callback {
   public:
    virtual ~Callback() = default;
    // True when the callback consumed the key (a normalised keysym).
    virtual bool handleKey(MuSuperbox* box, int keysym) = 0;
  };

  // callback is not owned and may be null (then no key is the owner's).
  // The popup dialog is popupHeight pixels high until its owner sizes it.
  MuSuperbox(MuContainer* parent, const char* id, const char* label, Callback* callback,
             int popupHeight);
  ~MuSuperbox() override;

  // Itself for a null path, else null.
  virtual MuSuperbox* lookupSuperbox(const char* path);
  // Opens the popup under the entry row, as wide as the row, or closes it.
  virtual void showPopup(bool show);
  // The entry's text, never null.
  virtual const char* getText() const = 0;
  // Replaces the text with the cursor at the end and all of it selected,
  // without an event. False when it did not fit and was cut, which the
  // back-end logs as an error.
  virtual bool setText(const char* text) = 0;
  // The entry row (entry and drop button) within the element.
  virtual plat::Rect getComboboxRect() = 0;

  // The key handling the back-ends share: the callback first, then Escape,
  // Return and Tab close the popup. True when the key was consumed, which an
  // Escape that closed an open popup is, and Return and Tab never are.
  bool keyPress(int keysym);

  MuDialog* getPopup() const { return popup_.get(); }
  Callback* getCallback() const { return callback_; }
  const char* getType() const override { return "superbox"; }
  plat::DString getState() override;

 private:
  Callback* callback_;
  std::unique_ptr<MuDialog> popup_;
};

}  // namespace mui
