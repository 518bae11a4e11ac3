#include "lib2/mui/wvw/MuCheckWvw.h"

#include <memory>

#include "lib2/mui/Mui.h"
#include "lib2/mui/wvw/MuCommonWvw.h"

namespace mui {

namespace {

const char* markFor(MuCheck::Type type, const char* markImage) {
  if (markImage) return markImage;
  return type == MuCheck::Radio ? wvw::WCheckBox::DotImage : wvw::WCheckBox::CheckImage;
}

}  // namespace

MuCheckWvw::MuCheckWvw(MuContainer* parent, const char* id, const char* label, Type type,
                       MuCheck* groupWith, const char* markImage)
    : MuCheck(parent, id, label, type, groupWith), widget_(label, markFor(type, markImage)) {
  widget_.setInputHandler(this);
  // The box first, at its own width; the label takes the rest of the row.
  widget_.setOrder(true);
  widget_.setSplit(-1, 0);
  widget_.setPadding(sizes[MuiSizes::LabelPadding]);
  setImpl(std::make_unique<MuCommonWvw>(&widget_));
}

void MuCheckWvw::setTip(const char* tip) {
  box_->setTipText(tip);
  widget_.getLabelWidget()->setTipText(tip);
}

void MuCheckWvw::setChecked(bool checked) {
  settingChecked_ = true;
  box_->setChecked(checked);
  settingChecked_ = false;
}

bool MuCheckWvw::isChecked() const { return box_->state == wvw::WCheckBox::Checked; }

void MuCheckWvw::setIndeterminate() {
  settingChecked_ = true;
  box_->enableIndeterminate();
  settingChecked_ = false;
}

bool MuCheckWvw::isIndeterminate() const { return box_->state == wvw::WCheckBox::Indeterminate; }

bool MuCheckWvw::handleClick(wvw::Widget* w) {
  if (w == box_ && !settingChecked_) dispatchEvent(this, MuEventChanged);
  return true;
}

MuCheck* muCheckWvw(MuContainer* parent, const char* id, const char* label, MuCheck::Type type,
                    MuCheck* groupWith, const char* markImage) {
  return new MuCheckWvw(parent, id, label, type, groupWith, markImage);
}

}  // namespace mui
