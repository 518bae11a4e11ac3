#include "lib2/mui/MuAutoHider.h"

#include "lib1/plat/Assert.h"
#include "lib2/mui/MuFactories.h"

namespace mui {

MuAutoHider::~MuAutoHider() = default;

void MuAutoHider::setBgColour(const fb::Colour& colour) {
  if (MuDialog* d = get()) d->setBgColour(colour);
}

void MuAutoHider::registerObserver(MuObserver* observer, bool add) {
  if (MuDialog* d = get()) d->registerObserver(observer, add);
}

void MuAutoHider::update() {
  if (MuDialog* d = get()) d->update();
}

void MuAutoHider::setHider(ui::AutoHider* hider) {
  PLAT_ASSERT(hider);
  PLAT_ASSERT_MSG(!hider_, "the animator is set once");
  hider_ = hider;
}

ui::AutoHider& MuAutoHider::hider() const {
  PLAT_ASSERT_MSG(hider_, "the back-end has set no animator");
  return *hider_;
}

void MuAutoHider::show(bool show, int durationMs) { hider().show(show, durationMs); }

void MuAutoHider::preview(int ms) { hider().preview(ms); }

void MuAutoHider::reposition() { hider().reposition(); }

void MuAutoHider::setDefaultAnimTime(int ms) { hider().setDefaultDuration(ms); }

void MuAutoHider::lock(bool locked) { hider().setLocked(locked); }

bool MuAutoHider::isShown() const { return hider().isShown(); }

void MuAutoHider::autoHiderNotify(bool animating, bool shown, ui::AutoHider* hider) {
  if (callback_) callback_->autoHiderNotify(animating, shown, hider);
}

MuAutoHiderDlgBase::MuAutoHiderDlgBase(const char* id, const plat::Point& size,
                                       ui::AutoHider::Callback* callback)
    : MuAutoHider(callback), dialog_(muDialog(id, "", size, kDialogFlags, nullptr, nullptr)) {
  PLAT_ASSERT(dialog_);
}

MuAutoHiderDlgBase::~MuAutoHiderDlgBase() = default;

}  // namespace mui
