#include "lib2/mui/MuSyncCheckMulti.h"

#include <strings.h>

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/mui/MuConfigSync.h"

namespace mui {

namespace {

// Listens, filed under no element, for writes of one of the multi-check's
// parameters by some other control of the page, and then re-judges the
// Sync, so that the shared box follows.
class MuSyncCheckMultiEnabler : public MuEnabler {
 public:
  MuSyncCheckMultiEnabler(const char* name, MuSyncCheckMulti::Sync* sync, MuElement* element)
      : MuEnabler(name), sync_(sync), element_(element) {}

  bool isEnabled(const plat::ConfigParameter&) const override { return true; }

  void paramChangedByElement(const plat::ConfigParameter& param, MuElement* changed) override {
    bool follow = element_ ? element_ == changed : changed != sync_->element();
    if (follow) sync_->updateUi(param);
  }

 private:
  MuSyncCheckMulti::Sync* sync_;
  MuElement* element_;
};

}  // namespace

MuSyncCheckMulti::Sync::Sync(plat::SharedPtr<MuSyncCheckMulti> multi, MuEnabler* enabler,
                             const char* onText, const char* offText, const Flags& flags)
    : MuSync(enabler->paramName()),
      flags_(flags),
      multi_(std::move(multi)),
      enabler_(enabler),
      onText_(onText),
      offText_(offText) {
  multi_->syncs_.push_back(this);
}

MuSyncCheckMulti::Sync::~Sync() { std::erase(multi_->syncs_, this); }

MuElement* MuSyncCheckMulti::Sync::element() const { return multi_->check_; }

bool MuSyncCheckMulti::Sync::unmappedNow(const plat::ConfigParameter& param) const {
  auto* mapped = dynamic_cast<const MuEnablerMapped*>(enabler_.get());
  return mapped && !mapped->isMapped(param);
}

void MuSyncCheckMulti::Sync::saveState(const plat::ConfigParameter& param) {
  on_ = enabler_->isEnabled(param);
  unmapped_ = unmappedNow(param);
}

void MuSyncCheckMulti::Sync::updateUi(const plat::ConfigParameter& param) {
  saveState(param);
  multi_->updateUi();
}

void MuSyncCheckMulti::Sync::updateConfig(plat::ConfigParameter& param) {
  MuCheck* check = multi_->check_;
  if (check->isIndeterminate()) return;
  bool on = enabler_->isEnabled(param);
  bool unmapped = unmappedNow(param);
  const plat::String* text = nullptr;
  if (check->isChecked()) {
    if (unmapped || (!on && flags_.setOnCheck)) text = &onText_;
  } else if (unmapped || (on && flags_.setOnUncheck)) {
    text = &offText_;
  }
  if (!text || text->isNull()) return;
  param.setParam(text->get(), WritePriority);
  saveState(param);
}

void MuSyncCheckMulti::addEnabler(plat::SharedPtr<MuSyncCheckMulti> self, MuEnabler* enabler,
                                  const char* onText, const char* offText, bool setOnCheck,
                                  bool setOnUncheck, bool offForcesUnchecked,
                                  bool onForcesChecked) {
  PLAT_ASSERT(self.get() == this);
  PLAT_ASSERT(enabler);
  // The Sync lists itself and is owned through that list until it is filed.
  new Sync(std::move(self), enabler, onText, offText,
           Sync::Flags{setOnCheck, setOnUncheck, offForcesUnchecked, onForcesChecked});
}

void MuSyncCheckMulti::registerSyncs(MuConfigSync* sync) {
  for (Sync* s : syncs_) {
    if (s->filed_) continue;
    s->filed_ = true;
    sync->addSync(s);
  }
}

void MuSyncCheckMulti::registerExternalParam(MuConfigSync* sync, const char* name,
                                             MuElement* element) {
  for (Sync* s : syncs_)
    if (!strcasecmp(s->paramName(), name))
      sync->addEnabler(nullptr, new MuSyncCheckMultiEnabler(name, s, element));
}

void MuSyncCheckMulti::updateUi() {
  bool forcedOn = false, forcedOff = false, unmapped = false, toCheck = false, toClear = false;
  for (const Sync* s : syncs_) {
    const Sync::Flags& f = s->flags_;
    forcedOn |= s->on_ && f.onForcesChecked;
    forcedOff |= !s->on_ && f.offForcesUnchecked;
    unmapped |= s->unmapped_;
    toCheck |= !s->on_ && f.setOnCheck;
    toClear |= s->on_ && f.setOnUncheck;
  }
  if (forcedOn) {
    check_->setChecked(true);
  } else if (forcedOff) {
    check_->setChecked(false);
  } else if (unmapped || toCheck == toClear) {
    check_->setIndeterminate();
  } else {
    // Checking would change something only when some parameter is off.
    check_->setChecked(!toCheck);
  }
}

}  // namespace mui
