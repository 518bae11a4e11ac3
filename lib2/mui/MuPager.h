// mui::MuPager: a container that shows one of its children at a time, its
// pages, each with a title. A back-end shows the titles as tabs, or shows no
// tabs and leaves the switching to the program. A page the user picks
// raises MuEventChanged on the pager; one the program picks raises nothing.
//
// Invariants:
//  - pages are owned and kept in the order they were added; an element
//    becomes a page through childAdded (the creating functions call it);
//  - current is 0 while there is no page, else a valid page index, and after
//    every layout exactly the current page is shown;
//  - a back-end adds a page's widget before the page is registered here and
//    takes it out before the page is destroyed; onSetCurrent runs whenever
//    the current page may have changed while pages remain.
#pragma once

#include <memory>
#include <vector>

#include "lib2/mui/MuContainer.h"

namespace mui {

class MuPager : public MuContainer {
 public:
  enum Type {
    Tabs = 0,    // one tab per page
    Framed = 1,  // no tabs; the current page inside a plain frame
    Plain = 2,   // no tabs, no frame, no inset
  };

  MuPager(MuContainer* parent, const char* id, Type type);
  ~MuPager() override;

  Type getPagerType() const { return type_; }
  int getCurrent() const { return current_; }
  bool isValid(int i) const { return i >= 0 && i < numChildren(); }
  // The index of a page, or -1 for an element that is not one.
  int indexOf(const MuElement* page) const;
  // Null while untitled.
  const char* getPageTitle(int i) const;

  // Shows the title on the page's tab; an element that is not a page is
  // ignored.
  void setPageTitle(MuElement* page, const char* title);
  // Shows the page at index on the program's behalf: no event. An invalid
  // index is ignored.
  void setCurrent(int index);
  // Shows the page at index on the user's behalf and raises MuEventChanged;
  // an invalid index is a broken invariant.
  void tabChangedViaUi(int index);

  // Negative indices count from the end; null when out of range.
  MuElement* lookup(int i) const override;
  int numChildren() const override { return int(pages_.size()); }
  void childAdded(MuElement* element) override;
  // Removing the current page shows the one before it (or the new first).
  void childRemoved(MuElement* element) override;
  // Shows the current page and hides the others.
  void layoutChildren() override;
  void destroyChildren() override;
  const char* getType() const override { return "pager"; }
  plat::DString getState() override;
  plat::DString getItems() override;

 protected:
  // The back-end's part of setPageTitle and of a change of page.
  virtual void onSetPageTitle(int) {}
  virtual void onSetCurrent() {}

 private:
  struct Page {
    std::unique_ptr<MuElement> element;
    plat::String title;
  };

  Type type_;
  std::vector<Page> pages_;
  int current_ = 0;
};

}  // namespace mui
