#include "libs/sui/PermissionsEditorImpl.h"

#include <algorithm>
#include <cstdio>

#include "AddLocStrings_sui.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuFactories.h"
#include "libs/svr/Permissions.h"

namespace sui {

namespace {

AddLocStrings_sui addLocStrings;

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

// The height of the list and its buttons, in logical units.
constexpr int kListHeight = 210;

}  // namespace

bool isStandardPerm(char letter) {
  return letter == svr::Permissions::View || letter == svr::Permissions::KeyEvents ||
         letter == svr::Permissions::PtrEvents || letter == svr::Permissions::CutText ||
         letter == svr::Permissions::NoQuery;
}

PermissionsEditorImpl::PermissionsEditorImpl(Callback* callback) : callback_(callback) {}

// The elements go with the dialog tree; the schemes and the banner are ours.
PermissionsEditorImpl::~PermissionsEditorImpl() = default;

void PermissionsEditorImpl::init(mui::MuLayout* layout) {
  PLAT_ASSERT(layout && !layout_);
  layout_ = layout;
  mui::MuLayout* split = mui::muLayout(layout, "split", mui::MuLayout::Horizontal);
  layout->resizeChild(split, mui::MuLayout::Fixed, gfxutil::lengthToPixels(kListHeight));
  // Flags 4: no headings, and a click below the rows clears the selection.
  list_ = mui::muList(split, "list", 4, nullptr);
  split->resizeChild(list_, mui::MuLayout::Weighted, 1);
  list_->addColumn(0, mui::MuList::Image, "", -1);
  list_->addColumn(1, mui::MuList::Text, "Name", -1);
  if (callback_) infoFrame_ = std::make_unique<mui::MuInfoFrame>(layout, "info");
  buttons_ = mui::muLayout(split, "buttons", mui::MuLayout::Vertical);

  settings_ = mui::muFrame(layout, "settings", text("sui_optionspermissions_permissions"),
                           mui::MuFrame::Titled);
  settingsLayout_ = mui::muLayout(settings_, "l", mui::MuLayout::Vertical);
  if (callback_) {
    help_ = mui::muStatic(settingsLayout_, "help", nullptr, mui::MuStatic::Detail);
    help_->show(false);
    global_ = mui::muLayout(settingsLayout_, "global", mui::MuLayout::Vertical);
    globalHelp_ = mui::muStatic(global_, "help", text("sui_optionspermissions_global_help"),
                                mui::MuStatic::Detail);
    global_->show(false);
  }
  permset_ = mui::muLayout(settingsLayout_, "permset", mui::MuLayout::Vertical);
  choice_ = mui::muChoice(permset_, "choice", nullptr, 0);
  permset_->resizeChild(choice_, mui::MuLayout::AlignStart, 1);

  permcustom_ = mui::muLayout(settingsLayout_, "permcustom", mui::MuLayout::Vertical);
  mui::MuLayout* heading = mui::muLayout(permcustom_, "heading", mui::MuLayout::Horizontal);
  mui::MuStatic* allow = mui::muStatic(heading, "allow", text("sui_optionspermissions_allow"),
                                       mui::MuStatic::CenteredText);
  mui::MuStatic* deny = mui::muStatic(heading, "deny", text("sui_optionspermissions_deny"),
                                      mui::MuStatic::CenteredText);
  tickColumnWidth_ = std::max(allow->getMinWidth(0), deny->getMinWidth(0));
  heading->resizeChild(allow, mui::MuLayout::Fixed, tickColumnWidth_);
  heading->resizeChild(deny, mui::MuLayout::Fixed, tickColumnWidth_);

  for (const svr::PermissionDefn& defn : svr::Permissions::getPermissionDefns())
    if (isStandardPerm(defn.code)) addPermission(defn.code);
  customHelp_ = mui::muStatic(permcustom_, "help", text("sui_optionspermissions_custom_help"),
                              mui::MuStatic::Detail);
  updatePermissionChoice(true);
  disableControls();
}

void PermissionsEditorImpl::addPermission(char letter) {
  PLAT_ASSERT(permcustom_);
  const svr::PermissionDefn* defn = svr::Permissions::lookupPermissionDefn(letter);
  PLAT_ASSERT(defn);
  const char id[2] = {letter, 0};
  // The global row switches a feature through the server parameters it
  // names; a feature without any has nothing to switch there. The boxes
  // stand above their help text, as the ticks stand above theirs.
  if (global_ && !defn->params.empty()) {
    mui::MuCheck* box =
        mui::muCheck(global_, id, defn->desc.get(), mui::MuCheck::Normal, nullptr, nullptr);
    global_->reorderChild(box, mui::MuLayout::Before, globalHelp_);
  }
  mui::MuElement* q = permcustom_->lookupElement("q");
  mui::MuLayout* row = mui::muLayout(permcustom_, id, mui::MuLayout::Horizontal);
  if (q) permcustom_->reorderChild(row, mui::MuLayout::Before, q);

  // Each tick sits centred under its heading, between two stretching
  // spacers in a column as wide as the heading's.
  for (bool deny : {false, true}) {
    mui::MuLayout* column = mui::muLayout(row, deny ? "deny" : "allow", mui::MuLayout::Horizontal);
    row->resizeChild(column, mui::MuLayout::Fixed, tickColumnWidth_);
    column->resizeChild(mui::muStatic(column, "spacer", nullptr, mui::MuStatic::Text),
                        mui::MuLayout::Weighted, 1);
    mui::MuCheck* check =
        mui::muCheck(column, "check", nullptr, mui::MuCheck::Normal, nullptr, nullptr);
    check->setTip(
        text(deny ? "sui_optionspermissions_deny_tip" : "sui_optionspermissions_allow_tip"));
    column->resizeChild(mui::muStatic(column, "spacer", nullptr, mui::MuStatic::Text),
                        mui::MuLayout::Weighted, 1);
  }
  mui::MuStatic* name = mui::muStatic(row, "name", defn->desc.get(), mui::MuStatic::LeftText);
  row->resizeChild(name, mui::MuLayout::Weighted, 1);
}

void PermissionsEditorImpl::addScheme(svr::SAuthentication kind,
                                      std::unique_ptr<PermissionsScheme> scheme) {
  PLAT_ASSERT(scheme);
  std::unique_ptr<PermissionsScheme>& slot = schemes_[kind];
  // The rows and the edited set of a scheme on show go with it.
  if (slot && slot.get() == scheme_) updateUi(nullptr);
  slot = std::move(scheme);
}

PermissionsScheme* PermissionsEditorImpl::getScheme(svr::SAuthentication kind) const {
  auto found = schemes_.find(kind);
  return found == schemes_.end() ? nullptr : found->second.get();
}

bool PermissionsEditorImpl::validateSchemes(svr::SAuthentication current) {
  for (const auto& [kind, scheme] : schemes_)
    if (!scheme->validate(kind == current)) return false;
  return true;
}

void PermissionsEditorImpl::updateUi(PermissionsScheme* scheme) {
  PLAT_ASSERT(list_);
  current_ = nullptr;
  list_->removeAllRows();
  schemeStartIndex_ = 0;
  if (callback_) {
    addPrincipalRow(0, text("sui_optionspermissions_global"), "global");
    schemeStartIndex_ = 1;
  }
  schemeEndIndex_ = schemeStartIndex_;
  guestRow_ = callback_ && callback_->hasExtraVerifier();
  if (guestRow_) {
    addPrincipalRow(schemeEndIndex_, "", "");
    updateExtraEntry();
  }
  while (buttons_->numChildren() > 0) buttons_->removeChild(buttons_->lookup(0));
  buttons_->show(false);
  scheme_ = scheme;
  if (scheme_) {
    scheme_->init();
    if (globalHelp_) globalHelp_->show(true);
  } else if (globalHelp_) {
    // No principals to be subject to: the help would speak of none.
    globalHelp_->show(false);
    selectPrincipal(GLOBAL);
  } else {
    doUpdateSelection(true);
  }
}

bool PermissionsEditorImpl::hasPolicySettings() const {
  return scheme_ && scheme_->hasPolicySettings();
}

void PermissionsEditorImpl::showHelp(const char* text) {
  if (!help_) return;
  help_->setText(text, false, false);
  help_->show(text != nullptr);
}

void PermissionsEditorImpl::addButton(const char* id, const char* label, const char* tip) {
  PLAT_ASSERT(buttons_ && id);
  if (buttons_->lookupElement(id)) return;
  mui::MuButton* button = mui::muButton(buttons_, id, label, mui::MuButton::Text, 0, plat::Point());
  if (tip) button->setTip(tip);
  buttons_->show(true);
}

void PermissionsEditorImpl::enableButton(const char* id, bool enable, const char* focusId) {
  mui::MuElement* button = id ? buttons_->lookupElement(id) : nullptr;
  if (!button) return;
  if (!enable && button->hasFocus()) {
    // Move the focus first, so that it does not vanish with the button.
    mui::MuElement* next = focusId ? buttons_->lookupElement(focusId) : nullptr;
    bool usable = next && !(next->getFlags() & mui::MuElement::Disabled) && !next->isAnyLocked();
    (usable ? next : list_)->focus();
  }
  button->enable(enable);
}

void PermissionsEditorImpl::addPrincipal(int index, const char* name, const char* image) {
  int row = schemeStartIndex_ + index;
  PLAT_ASSERT(index >= 0);
  PLAT_ASSERT_MSG(row <= schemeEndIndex_, "index <= schemeEndIndex");
  schemeEndIndex_++;
  addPrincipalRow(row, name, image);
}

void PermissionsEditorImpl::addPrincipalRow(int row, const char* text, const char* image) {
  list_->addRowData(row, {image, text});
}

void PermissionsEditorImpl::removePrincipal(int index) {
  int row = schemeStartIndex_ + index;
  PLAT_ASSERT(index >= 0);
  PLAT_ASSERT_MSG(row < schemeEndIndex_, "index <= schemeEndIndex");
  // The scheme has already destroyed the set of the row that goes.
  current_ = nullptr;
  schemeEndIndex_--;
  list_->removeRow(row);
  // Leave a principal selected while any is left: the one before, or the
  // new first one when the first went. A row merely highlighted would leave
  // the controls showing the removed principal.
  int next = index > 0 ? index - 1 : schemeEndIndex_ > schemeStartIndex_ ? 0 : -1;
  selectPrincipal(next);
}

void PermissionsEditorImpl::selectPrincipal(int index) {
  int row = schemeStartIndex_ + index;
  if (callback_) {
    // The help line speaks of a principal.
    if (index < 0) showHelp(nullptr);
    if (index == GLOBAL) row = 0;
    if (index == GUEST) row = schemeEndIndex_;
  }
  list_->setSelectedRow(row);
  if (scheme_) scheme_->principalSelected(index);
  doUpdateSelection(true);
}

int PermissionsEditorImpl::getCurrentPrincipalIndex() {
  int row = list_->getSelectedRow();
  if (row < 0) return -1;
  if (isGlobalRow(row)) return GLOBAL;
  if (isGuestRow(row)) return GUEST;
  return row - schemeStartIndex_;
}

mui::MuCheck* PermissionsEditorImpl::getTick(char letter, bool deny) const {
  char path[16];
  snprintf(path, sizeof path, "%c.%s.check", letter, deny ? "deny" : "allow");
  return dynamic_cast<mui::MuCheck*>(permcustom_->lookupElement(path));
}

}  // namespace sui
