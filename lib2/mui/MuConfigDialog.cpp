#include "lib2/mui/MuConfigDialog.h"

#include <algorithm>
#include <utility>

#include "AddLocStrings_mui.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "lib2/mui/MuConfigSection.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/Mui.h"

static AddLocStrings_mui addLocStrings;

namespace mui {

MuConfigDialog::MuConfigDialog(const char* id, const char* title, plat::Point size,
                               MuDialog* parent, TXWindow* ownerWin, bool noList, int flags)
    : dialog_(muDialog(id, title, size, flags, parent, ownerWin)), pageWidth_(size.x) {
  main_ = muLayout(dialog_.get(), "main", MuLayout::Vertical);
  hsplit_ = muLayout(main_, "hsplit", MuLayout::Horizontal);
  if (!noList) list_ = muList(hsplit_, "list", MuList::KeepSelection, nullptr);
  // With a list the list picks the page; without one the tabs do.
  pager_ = muPager(hsplit_, "pager", noList ? MuPager::Tabs : MuPager::Plain);
  banner_.emplace(main_, "policy");
  buttons_.emplace(main_, MuButtonBar::Ok | MuButtonBar::Cancel | MuButtonBar::Apply, false);
  dialog_->registerObserver(this, true);
  // Return stays unbound: it belongs to whatever control has the focus.
  dialog_->setActionKeyButton(ActionKeyEscape, buttons_->lookupButton(MuButtonBar::Cancel));
  main_->resizeChild(hsplit_, MuLayout::Weighted, 1);
  if (list_) {
    hsplit_->resizeChild(list_, MuLayout::Weighted, 1);
    list_->addColumn(0, MuList::Image, nullptr, -1);
    list_->addColumn(1, MuList::Text, nullptr, -1);
  }
  hsplit_->resizeChild(pager_, MuLayout::Weighted, 3);
  buttons_->lookupButton(MuButtonBar::Apply)->enable(changed_);
}

MuConfigDialog::~MuConfigDialog() {
  // No page is shown on the way out, so a page removed here selects no
  // other one.
  current_ = nullptr;
  removeAllSections();
  while (!owned_.empty()) discard(owned_.back().get());
}

void MuConfigDialog::elementEvent(MuElement* source, int code) {
  MuElement::Guard alive(dialog_.get());
  MuObserver::elementEvent(source, code);
  if (code == MuEventDoubleClicked && alive.alive()) checkIfConfigChanged();
}

void MuConfigDialog::elementClicked(MuElement* element) {
  int id = buttons_->isButton(element);
  if (changed_ && (id == MuButtonBar::Ok || id == MuButtonBar::Apply)) {
    // A section that refuses keeps the dialog open and changed; it says
    // why itself.
    if (!validate()) return;
    saveConfig();
    configUnchanged();
  }
  if (id == MuButtonBar::Ok || id == MuButtonBar::Cancel) {
    MuElement::Guard alive(dialog_.get());
    dialog_->show(false);
    finish();
    if (!alive.alive()) return;
  }
  checkIfConfigChanged();
}

void MuConfigDialog::elementChanged(MuElement* element) {
  if (element == pager_) {
    // The pager lists the pages in the order they were built, which need
    // not be their order here: the page shown names the section.
    selectPageNum(indexOfPageElement(pager_->lookup(pager_->getCurrent())));
  } else if (list_ && element == list_) {
    selectPageNum(list_->getSelectedRow());
  } else {
    // The section holding the control has written the change already: it
    // heard the event before the dialog did.
    checkIfConfigChanged();
  }
}

void MuConfigDialog::dialogClosed(MuDialog*) { finish(); }

void MuConfigDialog::updateUi() {
  if (!config_) {
    loadConfig();
    configUnchanged();
    if (!config_) return;
  }
  PLAT_ASSERT((current_ == nullptr) == pages_.empty());
  bool policy = false;
  if (current_) {
    for (const auto& [id, section] : byId_) {
      bool onPage = section->getTopLevel() == current_;
      if (onPage || updateAll_) section->updateUi();
      if (onPage && section->hasPolicySettings()) policy = true;
    }
  }
  if (policy) {
    banner_->update(MuInfoFrame::Locked,
                    loc::localize(loc::msgid_t("mui_configdialog_help_policy")), nullptr);
  } else {
    banner_->show(false);
  }
  main_->update();
  if (current_) current_->getLayout()->update();
}

void MuConfigDialog::updateConfig() {
  if (!config_) return;
  for (const auto& [id, section] : byId_) section->updateConfig();
}

bool MuConfigDialog::validate() {
  for (const auto& [id, section] : byId_)
    if (!section->validate()) return false;
  return true;
}

void MuConfigDialog::addSection(MuConfigSection* section) {
  PLAT_ASSERT(section && section->getConfigDialog() == this);
  // Filed twice, it would be deleted twice.
  PLAT_ASSERT(std::none_of(owned_.begin(), owned_.end(),
                           [section](const auto& s) { return s.get() == section; }));
  owned_.emplace_back(section);
  if (!section->getParentSection()) {
    // After every page of the same order: equal orders keep the order
    // filed.
    auto at = std::upper_bound(
        pages_.begin(), pages_.end(), section->getOrder(),
        [](int order, const MuConfigSection* page) { return order < page->getOrder(); });
    int index = int(at - pages_.begin());
    pages_.insert(at, section);
    if (list_) list_->addRowData(index, {section->getId(), section->getTitle()});
    if (!current_) current_ = pages_.front();
    if (list_ && list_->getSelectedRow() >= 0) list_->setSelectedRow(getCurrentPage());
  }
  byId_[plat::String(section->getId())] = section;
}

MuConfigSection* MuConfigDialog::getSection(const char* id) const {
  if (!id) return nullptr;
  auto i = byId_.find(plat::String(id));
  return i == byId_.end() ? nullptr : i->second;
}

void MuConfigDialog::selectSection(MuConfigSection* section) {
  if (pages_.empty()) return;
  selectPageNum(indexOfSection(section ? section->getTopLevel() : pages_.front()));
}

void MuConfigDialog::selectPageNum(int n) {
  if (n < 0 || n >= getNumPages()) return;
  current_ = pages_[size_t(n)];
  if (list_) list_->setSelectedRow(n);
  updateUi();
  if (current_) pager_->setCurrent(pager_->indexOf(current_->getPage()));
}

void MuConfigDialog::show(const char* sectionId) {
  {
    // Every section is refreshed on the way, whatever page it is on; the
    // flag is put back also when loading the configuration throws.
    struct UpdateAll {
      bool& flag;
      bool was;
      ~UpdateAll() { flag = was; }
    } updateAll{updateAll_, std::exchange(updateAll_, true)};
    selectSection(getSection(sectionId));
  }
  if (list_) {
    int w = list_->getMaxWidth();
    hsplit_->resizeChild(list_, MuLayout::Fixed, w);
    int width = w + pageWidth_ + 2 * sizes[MuiSizes::DialogInset] + sizes[MuiSizes::Spacing];
    dialog_->setSize(plat::Point(width, dialog_->getSize().y));
  }
  dialog_->show(true);
}

void MuConfigDialog::removeSection(const char* id) {
  if (MuConfigSection* section = getSection(id)) discard(section);
}

void MuConfigDialog::removeAllSections() {
  while (!byId_.empty()) discard(byId_.begin()->second);
}

void MuConfigDialog::discard(MuConfigSection* section) {
  // The nested ones first: their pages live in this one's.
  for (;;) {
    auto nested = std::find_if(owned_.begin(), owned_.end(), [section](const auto& s) {
      return s->getParentSection() == section;
    });
    if (nested == owned_.end()) break;
    discard(nested->get());
  }
  int page = indexOfSection(section);
  bool wasCurrent = section == current_;
  if (page >= 0) {
    pages_.erase(pages_.begin() + page);
    if (list_) list_->removeRow(page);
  }
  auto entry = byId_.find(plat::String(section->getId()));
  if (entry != byId_.end() && entry->second == section) byId_.erase(entry);
  auto own = std::find_if(owned_.begin(), owned_.end(),
                          [section](const auto& s) { return s.get() == section; });
  PLAT_ASSERT(own != owned_.end());
  std::unique_ptr<MuConfigSection> dying = std::move(*own);
  owned_.erase(own);
  dying.reset();
  if (wasCurrent) {
    current_ = nullptr;
    selectPageNum(std::max(page - 1, 0));
  } else if (current_ && page >= 0) {
    // The same section stays current; the list and the pager may have
    // counted it at another index.
    if (list_) list_->setSelectedRow(getCurrentPage());
    pager_->setCurrent(pager_->indexOf(current_->getPage()));
  }
}

MuConfigSection* MuConfigDialog::getPageSection(int n) const {
  return n >= 0 && n < getNumPages() ? pages_[size_t(n)] : nullptr;
}

int MuConfigDialog::indexOfSection(const MuConfigSection* section) const {
  auto i = std::find(pages_.begin(), pages_.end(), section);
  return section && i != pages_.end() ? int(i - pages_.begin()) : -1;
}

int MuConfigDialog::indexOfPageElement(const MuElement* page) const {
  for (size_t i = 0; i < pages_.size(); i++)
    if (page && pages_[i]->getPage() == page) return int(i);
  return -1;
}

void MuConfigDialog::checkIfConfigChanged() {
  if (changed_) return;
  changed_ = config_ && (!saved_ || !config_->subset(saved_.get()));
  buttons_->lookupButton(MuButtonBar::Apply)->enable(changed_);
}

void MuConfigDialog::configUnchanged() {
  saved_ = config_ ? std::make_unique<plat::Configuration>(*config_) : nullptr;
  changed_ = false;
  checkIfConfigChanged();
}

void MuConfigDialog::setConfig(plat::Configuration* config) {
  config_ = config;
  configUnchanged();
}

}  // namespace mui
