#include "lib2/mui/MuPager.h"

#include <algorithm>

#include "lib1/plat/Assert.h"

namespace mui {

MuPager::MuPager(MuContainer* parent, const char* id, Type type)
    : MuContainer(parent, id), type_(type) {}

MuPager::~MuPager() { destroyChildren(); }

int MuPager::indexOf(const MuElement* page) const {
  for (size_t i = 0; i < pages_.size(); i++) {
    if (pages_[i].element.get() == page) return int(i);
  }
  return -1;
}

const char* MuPager::getPageTitle(int i) const {
  PLAT_ASSERT(isValid(i));
  return pages_[size_t(i)].title.get();
}

void MuPager::setPageTitle(MuElement* page, const char* title) {
  int i = indexOf(page);
  if (i < 0) return;
  plat::String& stored = pages_[size_t(i)].title;
  if (!plat::String::equal(stored.get(), title)) stored = plat::String(title);
  onSetPageTitle(i);
}

void MuPager::setCurrent(int index) {
  if (!isValid(index)) return;
  current_ = index;
  layoutChildren();
  onSetCurrent();
}

void MuPager::tabChangedViaUi(int i) {
  PLAT_ASSERT(isValid(i));
  current_ = i;
  layoutChildren();
  // Last: an observer may destroy the pager.
  dispatchEvent(this, MuEventChanged);
}

MuElement* MuPager::lookup(int i) const {
  int n = numChildren();
  if (i < 0) i += n;
  return isValid(i) ? pages_[size_t(i)].element.get() : nullptr;
}

void MuPager::childAdded(MuElement* element) {
  PLAT_ASSERT(element);
  pages_.push_back(Page{std::unique_ptr<MuElement>(element), plat::String()});
  // A page added to a pager already on screen must not show beside the
  // current one.
  layoutChildren();
  onSetCurrent();
}

void MuPager::childRemoved(MuElement* element) {
  const std::vector<Page>& pages = pages_;
  auto i = std::find_if(pages_.begin(), pages_.end(),
                        [element](const Page& p) { return p.element.get() == element; });
  PLAT_ASSERT(i != pages.end());
  int index = int(i - pages_.begin());
  if (current_ >= index) current_ = std::max(current_ - 1, 0);
  // Out of the list before it dies, so nothing it does on the way out finds
  // it still listed.
  std::unique_ptr<MuElement> dying = std::move(i->element);
  pages_.erase(i);
  dying.reset();
  layoutChildren();
  if (!pages_.empty()) onSetCurrent();
}

void MuPager::layoutChildren() {
  PLAT_ASSERT(current_ == 0 || isValid(current_));
  for (size_t i = 0; i < pages_.size(); i++) pages_[i].element->show(int(i) == current_);
}

void MuPager::destroyChildren() {
  while (!pages_.empty()) {
    std::unique_ptr<MuElement> dying = std::move(pages_.back().element);
    pages_.pop_back();
  }
  current_ = 0;
}

plat::DString MuPager::getState() {
  plat::DString s = MuContainer::getState();
  s.prf("element Pager\npage %d\n", current_);
  return s;
}

plat::DString MuPager::getItems() {
  plat::DString s;
  for (size_t i = 0; i < pages_.size(); i++) {
    const char* title = pages_[i].title.get();
    s.prf("%d:%s\n", int(i), title ? title : "");
  }
  return s;
}

}  // namespace mui
