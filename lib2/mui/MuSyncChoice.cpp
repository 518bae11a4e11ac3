#include "lib2/mui/MuSyncChoice.h"

namespace mui {

void MuSyncChoice::updateUi(const plat::ConfigParameter& param) {
  choice_->setSelection(param.getIntValue());
}

void MuSyncChoice::updateConfig(plat::ConfigParameter& param) {
  int id = choice_->getSelection();
  if (id != -1) param.setIntValue(id, WritePriority);
}

void MuSyncChoiceMapped::updateUi(const plat::ConfigParameter& param) {
  plat::String value = plat::String::adopt(param.getValueStr());
  int id = -1;
  for (const auto& [itemId, text] : texts_) {
    if (text == value) {
      id = itemId;
      break;
    }
  }
  choice_->setSelection(id);
}

void MuSyncChoiceMapped::updateConfig(plat::ConfigParameter& param) {
  int id = choice_->getSelection();
  auto found = texts_.find(id);
  if (id != -1 && found != texts_.end()) param.setParam(found->second.get(), WritePriority);
}

}  // namespace mui
