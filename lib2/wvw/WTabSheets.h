// Several pages shown one at a time under a row of tabs. Each page sits in a
// sheet (owned, as are the tabs; the pages belong to the caller). When the
// tabs are wider than the widget, two arrow buttons at the row's right end
// scroll it. Callbacks hear of every tab change first and may refuse it.
//
// Invariants: tabs_ and sheets_ run parallel; selected_ is -1 or an index
// into them, and only the selected sheet is a child; scrollOffset_ stays in
// [minOffset, 0] after every layout().
#pragma once

#include <list>
#include <memory>
#include <vector>

#include "lib2/wvw/WArrowButton.h"
#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WSheet.h"
#include "lib2/wvw/WTab.h"

namespace wvw {

class WTabSheets : public WLayout {
 public:
  class Callback {
   public:
    virtual ~Callback() = default;
    // Before the change; false refuses it.
    virtual bool tabChanged(int oldIndex, int newIndex) = 0;
  };

  WTabSheets();

  bool handleKeyEvent(unsigned int keysym, bool down, Widget* w) override;
  bool handleClick(Widget* w) override;
  bool handleResize(Widget* w) override;
  plat::Point getMinSize() const override;

  // index -1 appends; returns the new sheet's index.
  int addSheet(const char* name, Widget* page, int index);
  void removeSheet(int index);
  // -1 shows none.
  void setSelected(int index);
  int getSelected() const { return selected_; }
  int getNumSheets() const { return int(sheets_.size()); }
  WSheet* getSheet(int index) const;
  WTab* getTab(int index) const;
  void setTabName(int index, const char* name);
  void setPadding(int p);
  plat::Point getSheetPos() const;
  void addCallback(Callback* cb) { callbacks_.push_front(cb); }
  void removeCallback(Callback* cb);
  void layout();

  int getScrollOffset() const { return scrollOffset_; }
  WArrowButton* getLeftButton() { return &leftButton_; }
  WArrowButton* getRightButton() { return &rightButton_; }

 private:
  void checkIndex(int index) const;

  WChild<WCanvas> tabStrip_;  // before the tabs it lists
  WChild<WArrowButton> leftButton_{WArrow::Left};
  WChild<WArrowButton> rightButton_{WArrow::Right};
  std::vector<WChild<std::unique_ptr<WTab>>> tabs_;
  std::vector<WChild<std::unique_ptr<WSheet>>> sheets_;
  int selected_ = -1;
  int scrollOffset_ = 0;
  bool arrowsShown_ = false;
  std::list<Callback*> callbacks_;
};

}  // namespace wvw
