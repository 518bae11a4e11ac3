// mui::MuSyncChoice: binds a choice to an integer parameter through the
// items' ids. mui::MuSyncChoiceMapped binds it to the value text instead,
// through a table from item id to text.
//
// Neither writes anything while the choice names no item (nothing
// selected, or free text in an editable choice): -1 is not a value.
#pragma once

#include <map>

#include "lib2/mui/MuChoice.h"
#include "lib2/mui/MuSync.h"

namespace mui {

class MuSyncChoice : public MuSync {
 public:
  MuSyncChoice(MuChoice* choice, const char* paramName) : MuSync(paramName), choice_(choice) {}

  MuElement* element() const override { return choice_; }
  void updateUi(const plat::ConfigParameter& param) override;
  void updateConfig(plat::ConfigParameter& param) override;
  using MuSync::updateConfig;
  using MuSync::updateUi;

 protected:
  MuChoice* choice_;
};

class MuSyncChoiceMapped : public MuSyncChoice {
 public:
  MuSyncChoiceMapped(MuChoice* choice, const char* paramName,
                     const std::map<int, plat::String>& texts)
      : MuSyncChoice(choice, paramName), texts_(texts) {}

  // Adds id, or gives it a new text.
  void addMapping(int id, const char* text) { texts_[id] = text; }

  // Selects the lowest id whose text is the value's, none when no text is.
  void updateUi(const plat::ConfigParameter& param) override;
  void updateConfig(plat::ConfigParameter& param) override;
  using MuSync::updateConfig;
  using MuSync::updateUi;

 private:
  std::map<int, plat::String> texts_;
};

}  // namespace mui
