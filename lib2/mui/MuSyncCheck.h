// mui::MuSyncCheck: binds a check box to a parameter through two value
// texts, one for checked and one for unchecked (either may be null: that
// state is then never written and the other values leave the box alone).
//
// A value that is neither text, when both are given, shows as the
// indeterminate state and is kept as the "other" text: while the user
// leaves the box indeterminate, updateConfig writes that value back
// unchanged rather than losing it.
#pragma once

#include "lib2/mui/MuCheck.h"
#include "lib2/mui/MuSync.h"

namespace mui {

class MuSyncCheck : public MuSync {
 public:
  MuSyncCheck(MuCheck* check, const char* paramName, const char* onText, const char* offText)
      : MuSync(paramName), check_(check), on_(onText), off_(offText) {}

  MuElement* element() const override { return check_; }
  void updateUi(const plat::ConfigParameter& param) override;
  void updateConfig(plat::ConfigParameter& param) override;
  using MuSync::updateConfig;
  using MuSync::updateUi;

 private:
  MuCheck* check_;
  plat::String on_;
  plat::String off_;
  plat::String other_;
};

}  // namespace mui
