// mui::MuSuperboxWvw: the super-box on the widget set. Beside its label sits
// a row of a one-line entry and a drop button; the entry runs on under the
// button, whose bevel covers its right edge. The popup is whatever dialog
// the installed dialog factory makes; this class only places it.
//
// The entry holds TextLimit bytes: a longer text set by the program is cut
// with an error in the log and false from setText, and typing or a paste that
// does not fit is refused (see wvw::WText).
//
// The drop button's click and the user's edits become element events; while
// setText runs the entry's change report is not the user's and raises none.
// Keys typed in the entry go through keyPress: Escape and Return when they
// are let go, every other key when it goes down.
#pragma once

#include "lib2/mui/MuSuperbox.h"
#include "lib2/wvw/WArrowButton.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLabelWidget.h"
#include "lib2/wvw/WLayout.h"
#include "lib2/wvw/WText.h"

namespace mui {

class MuSuperboxWvw : public MuSuperbox, private wvw::WInputHandler {
 public:
  static constexpr int TextLimit = 255;

  // callback is not owned and may be null.
  MuSuperboxWvw(MuContainer* parent, const char* id, const char* label, Callback* callback,
                int popupHeight);

  // The entry takes the focus, with all of its text selected.
  void focus() override;
  // The tip goes to the entry and to the drop button.
  void setTip(const char* tip) override;
  void setLabelSplit(int labelSplit, int childSplit) override;
  int getLabelMinUnwrappedWidth() override;
  const char* getText() const override;
  bool setText(const char* text) override;
  plat::Rect getComboboxRect() override;

  wvw::WText* entry() { return &text_; }
  wvw::WArrowButton* dropButton() { return &button_; }
  wvw::WLayout* row() { return &row_; }

 private:
  bool handleClick(wvw::Widget* w) override;
  bool handleChanged(wvw::Widget* w) override;
  bool handleResize(wvw::Widget* w) override;
  bool handleKeyEvent(unsigned int keysym, bool down, wvw::Widget* w) override;
  bool handleEnable(wvw::Widget* w) override;

  // Each container is declared before the widgets it lists, so that they
  // leave it while it stands.
  wvw::WChild<wvw::WLabelWidget> labelWidget_;
  wvw::WChild<wvw::WLayout> row_;
  wvw::WChild<wvw::WText> text_;
  wvw::WChild<wvw::WArrowButton> button_;
  bool settingText_ = false;
};

MuSuperbox* muSuperboxWvw(MuContainer* parent, const char* id, const char* label,
                          MuSuperbox::Callback* callback, int popupHeight);

}  // namespace mui
