// mui::MuEditWvw: the edit element on the widget set, a label and a one-line
// entry side by side. The entry holds MinCapacity bytes; a longer text set
// by the program is cut with an error in the log and false from setText, and
// typing or a paste that does not fit is refused (see wvw::WText).
//
// The entry's change reports become MuEventChanged, except while setText
// runs: a value the program sets is not a user's edit. Each edit is put to
// the installed filter before it happens.
#pragma once

#include "lib2/mui/MuEdit.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLabelText.h"
#include "lib2/wvw/WStyle.h"
#include "lib2/wvw/WText.h"

namespace mui {

class MuEditWvw : public MuEdit, private wvw::WInputHandler, private wvw::WText::Filter {
 public:
  MuEditWvw(MuContainer* parent, const char* id, const char* label, Type type);

  // The tip goes to the label and to the entry.
  void setTip(const char* tip) override;
  void setBgColour(const fb::Colour& colour) override;
  void setLabelSplit(int labelSplit, int childSplit) override;
  int getLabelMinUnwrappedWidth() override;
  bool setText(const char* text) override;
  const char* getText() const override;
  void setSelection(int start, int length) override;
  int getSelection(int* length) const override;
  void setFilter(MuEdit::Filter* filter) override;

  wvw::WText* entry() const { return entry_; }

 private:
  bool handleChanged(wvw::Widget* w) override;
  bool wtextFilter(wvw::WText* text, const char* newText, int ch) override;

  // Declared before the entry that draws with it.
  wvw::WStyle style_;
  wvw::WChild<wvw::WLabelText> labelText_;
  wvw::WText* const entry_;  // the entry of labelText_
  MuEdit::Filter* filter_ = nullptr;
  bool settingText_ = false;
};

MuEdit* muEditWvw(MuContainer* parent, const char* id, const char* label, MuEdit::Type type);

}  // namespace mui
