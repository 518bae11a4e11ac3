// mui::MuCheckWvw: the check element on the widget set, a labelled check box
// whose label takes "&" hotkey marks, the box before the label. A click on
// the box or its label toggles the box (indeterminate becomes checked), and
// the element then sends MuEventChanged; what the program sets goes to the
// box under a guard, so that it never becomes an event.
#pragma once

#include "lib2/mui/MuCheck.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLabelCheckBoxHK.h"

namespace mui {

class MuCheckWvw : public MuCheck, private wvw::WInputHandler {
 public:
  // markImage null: the check mark for a Normal box, the dot for a Radio.
  MuCheckWvw(MuContainer* parent, const char* id, const char* label, Type type, MuCheck* groupWith,
             const char* markImage);

  // On the box and on the label.
  void setTip(const char* tip) override;
  void setChecked(bool checked) override;
  bool isChecked() const override;
  void setIndeterminate() override;
  bool isIndeterminate() const override;

  wvw::WCheckBox* getCheckBox() const { return box_; }

 private:
  bool handleClick(wvw::Widget* w) override;

  wvw::WChild<wvw::WLabelCheckBoxHK> widget_;
  wvw::WCheckBox* const box_ = widget_.getCheckBox();
  // True only while the program sets the state.
  bool settingChecked_ = false;
};

MuCheck* muCheckWvw(MuContainer* parent, const char* id, const char* label, MuCheck::Type type,
                    MuCheck* groupWith, const char* markImage);

}  // namespace mui
