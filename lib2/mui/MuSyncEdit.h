// mui::MuSyncEdit: binds a text entry to a parameter's value text.
//
// No value is cut on its way through the entry: when the entry cannot hold
// the whole value (setText says so), the binding keeps the value, and writes
// it back whole as long as the entry still shows what it was given. Only a
// text the user has changed replaces it.
#pragma once

#include "lib2/mui/MuEdit.h"
#include "lib2/mui/MuSync.h"

namespace mui {

class MuSyncEdit : public MuSync {
 public:
  MuSyncEdit(MuEdit* edit, const char* paramName) : MuSync(paramName), edit_(edit) {}

  MuElement* element() const override { return edit_; }
  void updateUi(const plat::ConfigParameter& param) override;
  void updateConfig(plat::ConfigParameter& param) override;
  using MuSync::updateConfig;
  using MuSync::updateUi;

 private:
  MuEdit* edit_;
  // Null unless the entry could not take the last value: the whole value
  // and the part the entry showed of it.
  plat::String whole_;
  plat::String shown_;
};

}  // namespace mui
