// mui::MuAutoHider: a small dialog docked at one edge of a parent X window,
// which slides out of sight, leaving a strip of a few pixels, and back in
// with the pointer. The owner fills the dialog (get()) like any other,
// attaches the element to its parent window once, and may follow every
// movement through a ui::AutoHider::Callback of its own, to which the
// element hands each notification on unchanged. It is no element of a
// dialog: it has no parent, and whoever creates it (muAutoHider) owns it.
//
// MuAutoHiderDlgBase owns the dialog the window shows and lets margin,
// action keys and callbacks reach it; a back-end adds the animator and the
// attaching.
//
// Invariants: the animator is the back-end's, set once when it builds the
// element and never null afterwards, so moving an element that has none is a
// broken invariant; the owner's callback is not owned and may be null; an
// element without a dialog (get() null) leaves alone whatever concerns one.
#pragma once

#include <memory>

#include "lib2/mui/MuDialog.h"
#include "lib2/ui/AutoHider.h"

class TXWindow;

namespace mui {

class MuAutoHider : private ui::AutoHider::Callback {
 public:
  // callback is not owned and may be null.
  explicit MuAutoHider(ui::AutoHider::Callback* callback) : callback_(callback) {}
  ~MuAutoHider() override;
  MuAutoHider(const MuAutoHider&) = delete;
  MuAutoHider& operator=(const MuAutoHider&) = delete;

  // The dialog the window shows; null in an element without one.
  virtual MuDialog* get() = 0;
  // Docks the window at its edge of parent and shows it; parent is not owned
  // and must outlive the element.
  virtual void attachToParent(TXWindow* parent) = 0;
  virtual void setBgColour(const fb::Colour& colour);
  virtual void registerObserver(MuObserver* observer, bool add);
  // Lays the dialog out.
  virtual void update();
  virtual void setMargin(int) {}
  virtual void setActionKeyButton(ActionKey, MuElement*) {}
  virtual void setActionKeyCallback(ActionKeyCallback*) {}
  virtual void setClickCallback(ClickCallback*) {}
  virtual TXWindow* getWinPtr() { return nullptr; }

  // A negative durationMs means the default duration, 0 means at once.
  void show(bool show, int durationMs);
  // Shows at once and slides out again ms later, unless moved before.
  void preview(int ms);
  // Places the window at its edge again, after its parent changed size.
  void reposition();
  void setDefaultAnimTime(int ms);
  // While locked, show does nothing, neither sliding in nor out.
  void lock(bool locked);
  // The state the window is in or moving to.
  bool isShown() const;

 protected:
  // What the back-end's animator reports to.
  ui::AutoHider::Callback* notifyTarget() { return this; }
  // The back-end sets its animator once, when it builds the element.
  void setHider(ui::AutoHider* hider);

 private:
  void autoHiderNotify(bool animating, bool shown, ui::AutoHider* hider) override;
  ui::AutoHider& hider() const;

  ui::AutoHider* hider_ = nullptr;
  ui::AutoHider::Callback* callback_;
};

class MuAutoHiderDlgBase : public MuAutoHider {
 public:
  // The dialog's flags: its own border, and 2048, which marks an auto-hiding
  // window's dialog and which nothing reads.
  static constexpr int kDialogFlags = MuDialog::OwnBorder | 2048;

  // Builds the dialog through the back-end's dialog factory: no title, no
  // parent dialog, no owner window.
  MuAutoHiderDlgBase(const char* id, const plat::Point& size, ui::AutoHider::Callback* callback);
  ~MuAutoHiderDlgBase() override;

  MuDialog* get() override { return dialog_.get(); }
  // The main panels' inset; the next update lays them out with it.
  void setMargin(int margin) override { dialog_->setInset(margin); }
  void setActionKeyButton(ActionKey key, MuElement* button) override {
    dialog_->setActionKeyButton(key, button);
  }
  void setActionKeyCallback(ActionKeyCallback* cb) override { dialog_->setActionKeyCallback(cb); }
  void setClickCallback(ClickCallback* cb) override { dialog_->setClickCallback(cb); }
  TXWindow* getWinPtr() override { return dialog_->getWinPtr(); }

 private:
  std::unique_ptr<MuDialog> dialog_;
};

}  // namespace mui
