#include "lib2/mui/MuSyncCheck.h"

namespace mui {

void MuSyncCheck::updateUi(const plat::ConfigParameter& param) {
  plat::String value = plat::String::adopt(param.getValueStr());
  if (value == on_) {
    check_->setChecked(true);
  } else if (value == off_) {
    check_->setChecked(false);
  } else if (!on_.isNull() && !off_.isNull()) {
    if (!(value == other_)) other_ = std::move(value);
    check_->setIndeterminate();
  }
}

void MuSyncCheck::updateConfig(plat::ConfigParameter& param) {
  const plat::String& text = check_->isIndeterminate() ? other_ : check_->isChecked() ? on_ : off_;
  if (!text.isNull()) param.setParam(text.get(), WritePriority);
}

}  // namespace mui
