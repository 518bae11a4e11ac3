#include "lib2/mui/MuElement.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/mui/MuContainer.h"
#include "lib2/mui/MuDialog.h"
#include "lib2/plat/EscapedValue.h"

namespace mui {

plat::BoolParameter debugLayout("_DebugLayout", "", false, true, nullptr);

MuElement::MuElement(MuContainer* parent, const char* id, const char* label)
    : label_(label), id_(id), parent_(parent) {}

MuElement::~MuElement() { *alive_ = false; }

void MuElement::setImpl(std::unique_ptr<MuCommon> impl) { impl_ = std::move(impl); }

void MuElement::show(bool shown) {
  if (impl_) impl_->show(shown);
}

bool MuElement::isShown() const { return impl_ && impl_->isShown(); }

bool MuElement::isShownAndParentShown() const {
  for (const MuElement* e = this; e; e = e->parent_) {
    if (!e->isShown()) return false;
  }
  return true;
}

bool MuElement::isAnyLocked() const { return flags_ & Locked; }

void MuElement::enable(bool enabled) { setFlag(Disabled, !enabled); }

void MuElement::lock(bool locked) { setFlag(Locked, locked); }

void MuElement::setFlag(int flag, bool on) {
  flags_ = on ? flags_ | flag : flags_ & ~flag;
  if (impl_) impl_->enable(flags_ == 0);
  updateState();
}

void MuElement::focus() {
  if (impl_) impl_->focus();
  if (MuDialog* dialog = MuDialog::getDialog(this)) dialog->onSetFocus(this);
}

bool MuElement::hasFocus() const { return impl_ && impl_->hasFocus(); }

void MuElement::setTip(const char* tip) {
  if (impl_) impl_->setTip(tip);
}

void MuElement::setSize(const plat::Point& size) {
  if (impl_) impl_->setSize(size);
}

plat::Point MuElement::getSize() const { return impl_ ? impl_->getSize() : plat::Point(); }

void MuElement::setPos(const plat::Point& pos) {
  if (impl_) impl_->setPos(pos);
}

plat::Point MuElement::getPos() const { return impl_ ? impl_->getPos() : plat::Point(); }

plat::Point MuElement::getAbsolutePos() const {
  const MuContainer* parent = parent_;
  PLAT_ASSERT(parent);
  plat::Point p = parent->getAbsolutePos();
  plat::Point own = getPos();
  return plat::Point(p.x + own.x, p.y + own.y);
}

int MuElement::getMinWidth(int height) const { return impl_ ? impl_->getMinWidth(height) : 0; }

int MuElement::getMinHeight(int width) const { return impl_ ? impl_->getMinHeight(width) : 0; }

plat::DString MuElement::getState() {
  plat::Point pos = getPos();
  plat::Point size = getSize();
  plat::DString s;
  s.prf("shown %d\nenabled %d\nlocked %d\npos %d,%d\nsize %d,%d\n", isShown() ? 1 : 0,
        flags_ & Disabled ? 0 : 1, flags_ & Locked ? 1 : 0, pos.x, pos.y, size.x, size.y);
  if (!label_.isNull()) s.prf("label %s\n", plat::EscapedValue(label_.get()).get());
  return s;
}

MuElement* MuElement::lookupElement(const char* path) { return path ? nullptr : this; }

plat::String MuElement::getFullId() const {
  if (!parent_) return plat::String();
  plat::String above = parent_->getFullId();
  plat::DString full;
  if (above.length() > 0) full.append(above.get()).append(".");
  full.append(id_.get() ? id_.get() : "");
  return plat::String(full.get());
}

void MuElement::registerObserver(MuObserver* observer, bool add) {
  if (add) {
    observers_.push_back(observer);
  } else {
    std::erase(observers_, observer);
  }
}

void MuElement::dispatchEvent(MuElement* source, int code) {
  Guard self(this);
  // A copy, so that observers may register and unregister meanwhile; one
  // unregistered before its turn is not called.
  std::vector<MuObserver*> snapshot = observers_;
  for (MuObserver* o : snapshot) {
    if (std::find(observers_.begin(), observers_.end(), o) == observers_.end()) continue;
    o->elementEvent(source, code);
    if (!self.alive()) return;
  }
  if (parent_) parent_->dispatchEvent(source, code);
}

}  // namespace mui
