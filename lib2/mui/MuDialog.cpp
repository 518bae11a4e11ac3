#include "lib2/mui/MuDialog.h"

#include <algorithm>
#include <cstring>

#include "lib1/plat/Assert.h"
#include "lib2/fb/Keysym.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/mui/Mui.h"

namespace mui {

namespace {

class MoveExceptButtons : public MuDialog::MoveCallback {
 public:
  // Every push-button element, whatever its kind, reports the type
  // "button"; the dialog model below it knows no button class.
  bool shouldMoveDialog(MuDialog*, MuElement* pressed, const plat::Point&) override {
    return !pressed || strcmp(pressed->getType(), "button") != 0;
  }
};

}  // namespace

int MuDialog::nextDlgIndex_ = 0;

bool keysymToActionKey(unsigned int keysym, ActionKey* key) {
  switch (fb::normaliseKeysym(keysym)) {
    case fb::keysym::Return:
      *key = ActionKeyReturn;
      return true;
    case fb::keysym::Escape:
      *key = ActionKeyEscape;
      return true;
    default:
      return false;
  }
}

MuDialog::MoveCallback* MuDialog::moveExceptButtons() {
  static MoveExceptButtons instance;
  return &instance;
}

MuDialog::MuDialog(const char* id, const char*, const plat::Point& size, int flags,
                   MuDialog* parentDialog, TXWindow*)
    : MuContainer(nullptr, id),
      dlgIndex_(nextDlgIndex_++),
      flags_(flags),
      mainHeight_(size.y),
      inset_(sizes[MuiSizes::DialogInset]),
      parentDialog_(parentDialog) {
  Mui::registerDialog(this, true);
}

MuDialog::~MuDialog() {
  destroyChildren();
  Mui::registerDialog(this, false);
}

MuDialog* MuDialog::getDialog(MuElement* element) {
  PLAT_ASSERT(element);
  while (element->getParent()) element = element->getParent();
  return dynamic_cast<MuDialog*>(element);
}

void MuDialog::setActionKeyButton(ActionKey key, MuElement* button) {
  PLAT_ASSERT(key == ActionKeyReturn || key == ActionKeyEscape);
  BoundButton& bound = actionKeyButtons_[key];
  bound.element = button;
  bound.guard.reset();
  if (button) bound.guard.emplace(button);
}

std::vector<MuDialog::Panel>::iterator MuDialog::findPanel(MuElement* element) {
  return std::find_if(panels_.begin(), panels_.end(),
                      [element](const Panel& p) { return p.element.get() == element; });
}

void MuDialog::setPanelType(MuElement* panel, PanelType type) {
  const std::vector<Panel>& panels = panels_;
  auto i = findPanel(panel);
  PLAT_ASSERT(i != panels.end());
  i->type = type;
}

bool MuDialog::handleActionKey(ActionKey key) {
  if (actionKeyCallback_ && actionKeyCallback_->handleActionKey(key, this)) return true;
  const BoundButton& bound = actionKeyButtons_[key];
  MuElement* button = bound.guard && bound.guard->alive() ? bound.element : nullptr;
  if (!button || button->getFlags() != 0) return false;
  button->dispatchEvent(button, MuEventClicked);
  return true;
}

bool MuDialog::handleActionKeysym(unsigned int keysym) {
  ActionKey key;
  return keysymToActionKey(keysym, &key) && handleActionKey(key);
}

bool MuDialog::close() {
  if (flags_ & DisableClose) return false;
  Guard self(this);
  dispatchEvent(this, MuEventClosed);
  // An observer may have destroyed the dialog on hearing it closed.
  if (self.alive()) show(false);
  return true;
}

void MuDialog::adjustHeightToFitLayout() {
  if (!(flags_ & (FixedSize | FitHeight))) return;
  int w = getSize().x;
  int height = 0;
  // Main panels overlap, so the tallest need counts once.
  int mainNeed = 0;
  for (const Panel& p : panels_) {
    if (!p.element->isShown()) continue;
    if (p.type != Main) {
      height += p.element->getMinHeight(w);
    } else if (flags_ & FitHeight) {
      mainNeed = std::max(mainNeed, p.element->getMinHeight(w - 2 * inset_) + 2 * inset_);
    } else {
      mainNeed = mainHeight_;
    }
  }
  setSize(plat::Point(w, height + mainNeed));
}

void MuDialog::setPos(const plat::Point& pos) {
  posSet_ = true;
  MuContainer::setPos(pos);
}

plat::DString MuDialog::getState() {
  plat::DString s = MuContainer::getState();
  s.prf("element Dialog\ndlgindex %d\nfixedsize %d\ndisableclose %d\nnohide %d\nmodal %d\n",
        dlgIndex_, flags_ & FixedSize ? 1 : 0, flags_ & DisableClose ? 1 : 0,
        flags_ & NoHide ? 1 : 0, flags_ & (Modal | CodeModal) ? 1 : 0);
  return s;
}

void MuDialog::update() {
  layoutChildren();
  adjustHeightToFitLayout();
}

MuElement* MuDialog::lookup(int i) const {
  int n = numChildren();
  if (i < 0) i += n;
  return i >= 0 && i < n ? panels_[size_t(i)].element.get() : nullptr;
}

void MuDialog::childAdded(MuElement* element) {
  PLAT_ASSERT(element);
  panels_.push_back(Panel{std::unique_ptr<MuElement>(element), Main});
}

void MuDialog::childRemoved(MuElement* element) {
  const std::vector<Panel>& panels = panels_;
  auto i = findPanel(element);
  PLAT_ASSERT(i != panels.end());
  std::unique_ptr<MuElement> dying = std::move(i->element);
  panels_.erase(i);
}

void MuDialog::layoutChildren() {
  plat::Point size = getSize();
  int w = size.x;
  int h = size.y;
  if (w == 0 || h == 0) return;
  int top = 0;
  int bottom = h;
  for (const Panel& p : panels_) {
    if (!p.element->isShown() || p.type == Main) continue;
    if (p.type == Top) {
      int t = p.element->getMinHeight(w);
      p.element->setPos(plat::Point(0, top));
      p.element->setSize(plat::Point(w, t));
      top += t;
    } else {
      int b = p.element->getMinHeight(w);
      bottom -= b;
      p.element->setPos(plat::Point(0, bottom));
      p.element->setSize(plat::Point(w, b));
    }
  }
  for (const Panel& p : panels_) {
    if (!p.element->isShown() || p.type != Main) continue;
    p.element->setPos(plat::Point(inset_, top + inset_));
    p.element->setSize(
        plat::Point(std::max(0, w - 2 * inset_), std::max(0, bottom - top - 2 * inset_)));
  }
}

void MuDialog::destroyChildren() {
  // Last to first; each is taken out before it dies, so that nothing it does
  // on the way out finds itself still listed.
  while (!panels_.empty()) {
    std::unique_ptr<MuElement> dying = std::move(panels_.back().element);
    panels_.pop_back();
  }
}

}  // namespace mui
