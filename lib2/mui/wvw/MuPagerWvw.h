// mui::MuPagerWvw: the pager on the widget set. A Tabs pager puts each page
// into a sheet of a tabbed-sheets widget, its tab reading the page's title
// (its id until it has one); the other types list every page's widget in a
// frame (Framed) or a bare layout (Plain) and place the current one.
//
// Pages sit inside an inset of 4 logical units plus the single-container
// margin; a Plain pager has none.
//
// A tab the user picks switches the sheets first and only then raises the
// pager's event, so that an observer sees the page it was told about on
// screen and may switch again. settingCurrent_ keeps a switch the program
// makes from being taken for the user's. A page's widget leaves the sheets
// or the layout before the page is destroyed.
#pragma once

#include <memory>

#include "lib2/mui/MuPager.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WTabSheets.h"

namespace mui {

class MuPagerWvw : public MuPager, private wvw::WTabSheets::Callback {
 public:
  MuPagerWvw(MuContainer* parent, const char* id, Type type);
  ~MuPagerWvw() override;

  void childAdded(MuElement* element) override;
  void childRemoved(MuElement* element) override;
  void destroyChildren() override;
  void layoutChildren() override;

 private:
  void onSetPageTitle(int index) override;
  void onSetCurrent() override;
  bool tabChanged(int oldIndex, int newIndex) override;
  // Takes the widget of the page at index out of the sheets or the layout.
  void takeOutPage(int index);
  int pageInset() const;

  // Exactly one of the two is set, fixed by the type.
  wvw::WChild<std::unique_ptr<wvw::WTabSheets>> tabs_;
  wvw::WChild<std::unique_ptr<wvw::WLayout>> container_;
  bool settingCurrent_ = false;
};

MuPager* muPagerWvw(MuContainer* parent, const char* id, MuPager::Type type);

}  // namespace mui
