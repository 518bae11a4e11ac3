// mui::MuDialog: the top-level element, shown as one window by a back-end.
// Its children are panels: bands fixed to the top or the bottom, and main
// panels that fill what is left, inset from every edge. It can fit its
// height to its content, binds Return and Escape to buttons or a callback,
// and reports closing to its observers as MuEventClosed.
//
// Invariants: a dialog has no parent and no label; it stands in the Mui
// singleton's list of dialogs from construction to destruction; the panels
// are owned and kept in the order they were added.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "lib2/mui/Forward.h"
#include "lib2/mui/MuContainer.h"

class TXWindow;

namespace mui {

enum ActionKey { ActionKeyReturn = 0, ActionKeyEscape = 1 };

// True for Return (keypad Enter too) and Escape, with the key in *key.
bool keysymToActionKey(unsigned int keysym, ActionKey* key);

class ActionKeyCallback {
 public:
  virtual ~ActionKeyCallback() = default;
  // True when the key was handled.
  virtual bool handleActionKey(ActionKey key, MuDialog* dialog) = 0;
};

class ClickCallback {
 public:
  virtual ~ClickCallback() = default;
  // True when the pointer press was handled.
  virtual bool handleClick(MuDialog* dialog) = 0;
};

class MuDialog : public MuContainer {
 public:
  enum DialogFlag {
    FixedSize = 1,
    NoHide = 2,
    DisableClose = 4,
    Modal = 8,
    CodeModal = 16,
    OverrideRedirect = 32,
    FitHeight = 64,
    KeepAbove = 128,
    Undecorated = 256,
    OwnBorder = 512,
  };
  enum PanelType { Main = 0, Top = 1, Bottom = 2 };

  class MoveCallback {
   public:
    virtual ~MoveCallback() = default;
    // Whether a press on pressed (null: on no element) at pos drags the
    // dialog.
    virtual bool shouldMoveDialog(MuDialog* dialog, MuElement* pressed, const plat::Point& pos) = 0;
  };
  // Drags the dialog from anywhere but a button.
  static MoveCallback* moveExceptButtons();

  // The title, the width and the owner window are for the back-end.
  MuDialog(const char* id, const char* title, const plat::Point& size, int flags,
           MuDialog* parentDialog, TXWindow* ownerWin);
  ~MuDialog() override;

  // The top-most ancestor of element, when it is a dialog; else null.
  static MuDialog* getDialog(MuElement* element);

  virtual void setMinSize(const plat::Point&) {}
  virtual TXWindow* getWinPtr() { return nullptr; }
  virtual void setOwnerWin(TXWindow*) {}
  virtual void setActionKeyButton(ActionKey key, MuElement* button);
  virtual void setTitle(const char* title) = 0;
  virtual plat::Point getPrimaryDesktopSize() const = 0;
  virtual void onSetFocus(MuElement*) {}

  void setPanelType(MuElement* panel, PanelType type);
  // Sets the main panels' inset; the next layout uses it.
  void setInset(int inset) { inset_ = inset; }
  int getInset() const { return inset_; }
  int getDialogFlags() const { return flags_; }
  int getDlgIndex() const { return dlgIndex_; }
  MuDialog* getParentDialog() const { return parentDialog_; }
  bool isPosSet() const { return posSet_; }
  void setActionKeyCallback(ActionKeyCallback* cb) { actionKeyCallback_ = cb; }
  void setClickCallback(ClickCallback* cb) { clickCallback_ = cb; }
  ClickCallback* getClickCallback() const { return clickCallback_; }
  void setMoveCallback(MoveCallback* cb) { moveCallback_ = cb; }
  MoveCallback* getMoveCallback() const { return moveCallback_; }

  // True when the key was handled: by the callback, or as a click on the
  // key's button while that button is neither disabled nor locked.
  bool handleActionKey(ActionKey key);
  bool handleActionKeysym(unsigned int keysym);
  // Refused (false) with DisableClose; else reports MuEventClosed and hides.
  bool close();
  // With FixedSize or FitHeight: the height the panels need at the present
  // width.
  void adjustHeightToFitLayout();

  void setPos(const plat::Point& pos) override;
  const char* getType() const override { return "dialog"; }
  plat::DString getState() override;
  void update() override;
  // Negative indices count from the end.
  MuElement* lookup(int i) const override;
  int numChildren() const override { return int(panels_.size()); }
  // A new child is a main panel.
  void childAdded(MuElement* element) override;
  // element must be a panel.
  void childRemoved(MuElement* element) override;
  void layoutChildren() override;
  void destroyChildren() override;

 private:
  struct Panel {
    std::unique_ptr<MuElement> element;
    PanelType type;
  };
  std::vector<Panel>::iterator findPanel(MuElement* element);

  static int nextDlgIndex_;

  int dlgIndex_;
  std::vector<Panel> panels_;
  int flags_;
  int mainHeight_;
  int inset_;
  MuDialog* parentDialog_;
  bool posSet_ = false;
  // A bound button may be destroyed while bound: the guard tells.
  struct BoundButton {
    MuElement* element = nullptr;
    std::optional<Guard> guard;
  };
  BoundButton actionKeyButtons_[2];
  ActionKeyCallback* actionKeyCallback_ = nullptr;
  ClickCallback* clickCallback_ = nullptr;
  MoveCallback* moveCallback_ = nullptr;
};

}  // namespace mui
