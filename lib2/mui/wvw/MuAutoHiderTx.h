// mui::MuAutoHiderTx: the auto-hiding window of the X11 back-end. Its dialog
// is a dialog of this back-end, whose X window the edge auto-hider moves
// inside the parent window it is attached to, following the pointer's Enter
// and Leave.
//
// Invariants: from construction to destruction the auto-hider is the event
// handler of the dialog's window (passing every event on to the window's
// own), and from attachToParent on that of the parent too; it goes before
// the dialog, giving both windows their handlers back, so no event reaches
// a half-destroyed element.
#pragma once

#include "lib2/mui/MuAutoHider.h"
#include "lib2/ui/unix/TXAutoHider.h"

namespace mui {

class MuAutoHiderTx : public MuAutoHiderDlgBase {
 public:
  MuAutoHiderTx(const char* id, const plat::Point& size, ui::AutoHider::Edge edge, int visible,
                ui::AutoHider::Callback* callback);
  ~MuAutoHiderTx() override;

  // Reparents the dialog's window into parent, lays the dialog out, shows it
  // and places it at its edge. Attaching again to the same parent only lays
  // it out and places it again.
  void attachToParent(TXWindow* parent) override;

 private:
  ui::TXAutoHider txHider_;
};

MuAutoHider* muAutoHiderTx(const char* id, const plat::Point& size, ui::AutoHider::Edge edge,
                           int visible, ui::AutoHider::Callback* callback);

}  // namespace mui
