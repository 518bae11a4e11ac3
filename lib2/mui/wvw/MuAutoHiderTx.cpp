#include "lib2/mui/wvw/MuAutoHiderTx.h"

#include "lib1/plat/Assert.h"

namespace mui {

MuAutoHiderTx::MuAutoHiderTx(const char* id, const plat::Point& size, ui::AutoHider::Edge edge,
                             int visible, ui::AutoHider::Callback* callback)
    : MuAutoHiderDlgBase(id, size, callback), txHider_(edge, visible, notifyTarget()) {
  setHider(&txHider_);
  TXWindow* window = get()->getWinPtr();
  // Only a dialog of this back-end has a window to move.
  PLAT_ASSERT_MSG(window, "the dialog of an auto-hiding window has no X window");
  txHider_.setWindow(window);
}

MuAutoHiderTx::~MuAutoHiderTx() = default;

void MuAutoHiderTx::attachToParent(TXWindow* parent) {
  txHider_.attachToParent(parent);
  get()->update();
  get()->show(true);
  // Showing placed the dialog as a top-level one would be: back to its edge.
  txHider_.reposition();
}

MuAutoHider* muAutoHiderTx(const char* id, const plat::Point& size, ui::AutoHider::Edge edge,
                           int visible, ui::AutoHider::Callback* callback) {
  return new MuAutoHiderTx(id, size, edge, visible, callback);
}

}  // namespace mui
