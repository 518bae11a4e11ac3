// mui::MuConfigSync: the bindings and enablers of one options page, run
// together. updateUi shows a configuration: every binding fills its
// element, an element bound to a parameter that policy sets is locked, and
// an element is enabled when all of its enablers agree. updateConfig writes
// the elements back; given the element a person just changed, it writes
// only that one and then refreshes the elements whose enablers read what
// it wrote.
//
// It owns everything filed in it. Bindings and enablers are grouped by
// element, the groups in the order their element was first filed and each
// group in the order added, so that a run is the same from one process to
// the next. An enabler filed under no element only listens.
#pragma once

#include <memory>
#include <vector>

#include "lib1/plat/Configuration.h"
#include "lib2/mui/Forward.h"
#include "lib2/mui/MuEnabler.h"
#include "lib2/mui/MuSync.h"

namespace mui {

class MuConfigSync {
 public:
  MuConfigSync() = default;
  MuConfigSync(const MuConfigSync&) = delete;
  MuConfigSync& operator=(const MuConfigSync&) = delete;

  // Files sync under its element (never null) and takes it.
  void addSync(MuSync* sync);
  // Files enabler under element (null: it only listens) and takes it.
  void addEnabler(MuElement* element, MuEnabler* enabler);

  void updateUi(const plat::Configuration& config);
  // Every element to its parameters; locks and enabled states stay.
  void updateConfig(plat::Configuration& config);
  // changed's bindings to their parameters, then the enabled state of every
  // element with an enabler on one of those parameters.
  void updateConfig(plat::Configuration& config, MuElement* changed);
  // element is enabled when all its enablers say so (or it has none).
  void updateUiEnable(const plat::Configuration& config, MuElement* element);
  // Deletes everything filed.
  void reset();

 private:
  template <class T>
  struct Group {
    MuElement* element;
    std::vector<std::unique_ptr<T>> members;
  };
  template <class T>
  static Group<T>* find(std::vector<Group<T>>& groups, MuElement* element);
  template <class T>
  static void file(std::vector<Group<T>>& groups, MuElement* element, T* member);

  std::vector<Group<MuSync>> syncs_;
  std::vector<Group<MuEnabler>> enablers_;
};

}  // namespace mui
