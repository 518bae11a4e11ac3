#include "lib2/mui/MuSyncEdit.h"

namespace mui {

void MuSyncEdit::updateUi(const plat::ConfigParameter& param) {
  plat::String value = plat::String::adopt(param.getValueStr());
  if (edit_->setText(value.get())) {
    whole_ = shown_ = nullptr;
  } else {
    shown_ = edit_->getText();
    whole_ = std::move(value);
  }
}

void MuSyncEdit::updateConfig(plat::ConfigParameter& param) {
  const char* text = edit_->getText();
  if (!whole_.isNull() && plat::String::equal(text, shown_.get())) text = whole_.get();
  param.setParam(text, WritePriority);
}

}  // namespace mui
