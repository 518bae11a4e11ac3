#include "lib2/mui/MuButtonBar.h"

#include <cstring>

#include "AddLocStrings_ui.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib2/mui/MuFactories.h"

namespace mui {

namespace {

// The standard button texts this bar shows, registered before main runs.
AddLocStrings_ui uiTexts;

struct Standard {
  int id;
  const char* elementId;
  const char* labelKey;
};

// In the order setButtons adds them, which is their order from the left
// (Help then moves to the front).
constexpr Standard standards[] = {
    {MuButtonBar::Help, "help", "ui_button_help"},
    {MuButtonBar::Cancel, "cancel", "ui_button_cancel"},
    {MuButtonBar::Apply, "apply", "ui_button_apply"},
    {MuButtonBar::Ok, "ok", "ui_button_ok"},
    {MuButtonBar::Continue, "continue", "ui_button_continue"},
    {MuButtonBar::Save, "save", "ui_button_save"},
    {MuButtonBar::Open, "open", "ui_button_open"},
    {MuButtonBar::Finish, "finish", "ui_button_finish"},
    {MuButtonBar::Back, "back", "ui_button_back"},
    {MuButtonBar::Next, "next", "ui_button_next"},
    {MuButtonBar::No, "no", "ui_button_no"},
    {MuButtonBar::Yes, "yes", "ui_button_yes"},
};

bool sameId(const char* a, const char* b) {
  if (!a || !b) return a == b;
  return std::strcmp(a, b) == 0;
}

}  // namespace

MuButtonBar::MuButtonBar(MuContainer* parent, int buttons, bool setKeys) : parent_(parent) {
  PLAT_ASSERT(!(buttons & Custom));
  PLAT_ASSERT(parent);
  MuDialog* dialog = MuDialog::getDialog(parent);
  if (dialog == parent) {
    frame_ = muFrame(parent, "buttons", nullptr, MuFrame::Footer);
    dialog->setPanelType(frame_, MuDialog::Bottom);
    layout_ = muLayout(frame_, "layout", MuLayout::Horizontal);
  } else {
    layout_ = muLayout(parent, "buttons", MuLayout::Horizontal);
  }
  spacer_ = muStatic(layout_, "spacer", "", MuStatic::Text);
  layout_->resizeChild(spacer_, MuLayout::Weighted, 1);
  lastCustom_ = spacer_;
  setButtons(buttons);
  if (setKeys) setDialogKeyButtons();
}

MuButtonBar::~MuButtonBar() {
  buttons_.clear();
  parent_->removeChild(frame_ ? static_cast<MuElement*>(frame_) : layout_);
}

void MuButtonBar::setButtons(int buttons) {
  for (auto& [button, id] : buttons_) layout_->removeChild(button);
  buttons_.clear();
  // The custom buttons just went: the next one goes where the first did.
  lastCustom_ = spacer_;
  for (const Standard& s : standards)
    if (buttons & s.id) addButton(s.id);
}

MuButton* MuButtonBar::addButton(int id, const char* customId, const char* customLabel) {
  MuButton* button = nullptr;
  if (id == Custom) {
    button = muButton(layout_, customId, customLabel, MuButton::Text, 0, plat::Point());
    layout_->reorderChild(button, MuLayout::Before, lastCustom_);
    lastCustom_ = button;
  } else {
    for (const Standard& s : standards) {
      if (s.id != id) continue;
      button = muButton(layout_, s.elementId, loc::localize(loc::msgid_t(s.labelKey)),
                        MuButton::Text, 0, plat::Point());
      if (id == Help) layout_->reorderChild(button, MuLayout::ToStart, nullptr);
      break;
    }
    if (!button) return nullptr;
  }
  buttons_.emplace_back(button, id);
  return button;
}

MuButton* MuButtonBar::lookupButton(ButtonId id, const char* customId) const {
  for (const auto& [button, buttonId] : buttons_) {
    if (buttonId != id) continue;
    if (id == Custom && !sameId(button->getId(), customId)) continue;
    return button;
  }
  return nullptr;
}

int MuButtonBar::isButton(const MuElement* element) const {
  if (!element || element->getParent() != layout_) return 0;
  for (const auto& [button, id] : buttons_)
    if (button == element) return id;
  return 0;
}

void MuButtonBar::setDialogKeyButton(ActionKey key, const ButtonId* candidates) {
  MuDialog* dialog = MuDialog::getDialog(parent_);
  if (!dialog) return;
  for (; *candidates; candidates++) {
    if (MuButton* button = lookupButton(*candidates)) {
      dialog->setActionKeyButton(key, button);
      return;
    }
  }
}

void MuButtonBar::setDialogKeyButtons() {
  static constexpr ButtonId returnKey[] = {Ok,   Yes,  Finish, Continue,
                                           Next, Save, Open,   ButtonId(0)};
  static constexpr ButtonId escapeKey[] = {Cancel, No, ButtonId(0)};
  setDialogKeyButton(ActionKeyReturn, returnKey);
  setDialogKeyButton(ActionKeyEscape, escapeKey);
}

}  // namespace mui
