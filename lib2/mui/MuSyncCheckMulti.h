// mui::MuSyncCheckMulti: one check box bound to several parameters. Each
// parameter has a Sync, which judges it through an enabler (on or off, and
// for a mapped enabler whether the value is one it knows) and carries the
// texts to write when the user checks or clears the box. The box shows what
// the Syncs' saved judgements add up to (updateUi()).
//
// Ownership: the multi-check is shared by its Syncs through plat::SharedPtr
// and goes with the last of them; each Sync owns its enabler. Once filed
// with registerSyncs, the Syncs belong to the mui::MuConfigSync; filing
// again files only the Syncs added since, never one twice.
//
// Invariant: syncs() lists exactly the live Syncs, in creation order.
#pragma once

#include <memory>
#include <vector>

#include "lib1/plat/SharedPtr.h"
#include "lib2/mui/Forward.h"
#include "lib2/mui/MuCheck.h"
#include "lib2/mui/MuEnabler.h"
#include "lib2/mui/MuSync.h"

namespace mui {

class MuSyncCheckMulti {
 public:
  class Sync : public MuSync {
   public:
    struct Flags {
      bool setOnCheck = false;          // checking turns an off parameter on
      bool setOnUncheck = false;        // clearing turns an on parameter off
      bool offForcesUnchecked = false;  // this parameter off clears the box
      bool onForcesChecked = false;     // this parameter on checks the box
    };

    Sync(plat::SharedPtr<MuSyncCheckMulti> multi, MuEnabler* enabler, const char* onText,
         const char* offText, const Flags& flags);
    // Leaves the multi-check's list.
    ~Sync() override;

    MuElement* element() const override;
    void updateUi(const plat::ConfigParameter& param) override;
    void updateConfig(plat::ConfigParameter& param) override;
    using MuSync::updateConfig;
    using MuSync::updateUi;

    // The enabler's judgement of param becomes the saved state.
    void saveState(const plat::ConfigParameter& param);

    bool savedOn() const { return on_; }
    bool savedUnmapped() const { return unmapped_; }
    const Flags& flags() const { return flags_; }

   private:
    friend class MuSyncCheckMulti;
    bool unmappedNow(const plat::ConfigParameter& param) const;

    bool on_ = false;
    bool unmapped_ = false;
    Flags flags_;
    plat::SharedPtr<MuSyncCheckMulti> multi_;
    std::unique_ptr<MuEnabler> enabler_;
    plat::String onText_;
    plat::String offText_;
    bool filed_ = false;
  };

  explicit MuSyncCheckMulti(MuCheck* check) : check_(check) {}

  // Appends a Sync for enabler's parameter; it takes enabler and a share of
  // self, which must point at this multi-check.
  void addEnabler(plat::SharedPtr<MuSyncCheckMulti> self, MuEnabler* enabler, const char* onText,
                  const char* offText, bool setOnCheck, bool setOnUncheck, bool offForcesUnchecked,
                  bool onForcesChecked);
  // Files every Sync not filed yet with sync, which owns them from then on.
  void registerSyncs(MuConfigSync* sync);
  // Makes a write of name by another element of the page re-judge the
  // Syncs of that parameter (letter case ignored). element: the one element
  // whose writes count, or null for any but this box.
  void registerExternalParam(MuConfigSync* sync, const char* name, MuElement* element);
  // Sets the box from the saved states of all Syncs.
  void updateUi();

  MuCheck* check() const { return check_; }
  const std::vector<Sync*>& syncs() const { return syncs_; }

 private:
  MuCheck* check_;
  std::vector<Sync*> syncs_;
};

}  // namespace mui
