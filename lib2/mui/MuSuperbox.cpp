#include "lib2/mui/MuSuperbox.h"

#include "lib2/fb/Keysym.h"
#include "lib2/fb/Keysyms.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/plat/EscapedValue.h"

namespace mui {

namespace {

// "<dialog id>_<full id>_popup" with every "." made "_", so that the id is
// one plain word whatever the depth of the box.
plat::String popupId(MuContainer* parent, const MuSuperbox* box) {
  MuDialog* dialog = parent ? MuDialog::getDialog(parent) : nullptr;
  const char* dialogId = dialog && dialog->getId() ? dialog->getId() : "";
  plat::String fullId = box->getFullId();
  plat::DString id;
  id.prf("%s_%s_popup", dialogId, fullId.get() ? fullId.get() : "");
  plat::String s(id.get());
  for (char* c = s.data(); *c; c++)
    if (*c == '.') *c = '_';
  return s;
}

}  // namespace

MuSuperbox::MuSuperbox(MuContainer* parent, const char* id, const char* label, Callback* callback,
                       int popupHeight)
    : MuElement(parent, id, label), callback_(callback) {
  MuDialog* dialog = parent ? MuDialog::getDialog(parent) : nullptr;
  popup_.reset(muDialog(popupId(parent, this).get(), "", plat::Point(1, popupHeight),
                        MuDialog::OverrideRedirect, dialog, nullptr));
  popup_->setInset(0);
  // A back-end may make its dialogs shown; the popup opens only when asked.
  popup_->show(false);
}

MuSuperbox::~MuSuperbox() = default;

MuSuperbox* MuSuperbox::lookupSuperbox(const char* path) { return path ? nullptr : this; }

void MuSuperbox::showPopup(bool show) {
  if (!show) {
    popup_->show(false);
    return;
  }
  plat::Point pos = getAbsolutePos();
  plat::Rect r = getComboboxRect();
  pos.x += r.tl.x;
  pos.y += r.br.y;
  popup_->setPos(pos);
  popup_->setSize(plat::Point(r.width(), popup_->getSize().y));
  popup_->show(true);
}

bool MuSuperbox::keyPress(int keysym) {
  int k = int(fb::normaliseKeysym(unsigned(keysym)));
  if (callback_ && callback_->handleKey(this, k)) return true;
  if (k != fb::keysym::Escape && k != fb::keysym::Return && k != fb::keysym::Tab) return false;
  bool wasShown = popup_->isShown();
  showPopup(false);
  return k == fb::keysym::Escape && wasShown;
}

plat::DString MuSuperbox::getState() {
  plat::DString s = MuElement::getState();
  s.prf("element Superbox\nvalue %s\npopup-dialogid %s\n", plat::EscapedValue(getText()).get(),
        popup_->getId() ? popup_->getId() : "");
  return s;
}

}  // namespace mui
