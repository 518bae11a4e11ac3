#include "lib2/mui/MuCheck.h"

#include <algorithm>

#include "lib1/plat/Assert.h"

namespace mui {

void MuCheck::Group::registerCheck(MuCheck* check, bool add) {
  PLAT_ASSERT(check);
  bool member = std::find(members_.begin(), members_.end(), check) != members_.end();
  if (add == member) return;
  check->registerObserver(this, add);
  if (add) {
    members_.push_back(check);
  } else {
    std::erase(members_, check);
  }
}

void MuCheck::Group::elementChanged(MuElement* element) {
  if (std::find(members_.begin(), members_.end(), element) == members_.end()) return;
  // A copy: setting a member must not disturb the walk.
  std::vector<MuCheck*> all = members_;
  for (MuCheck* m : all) m->setChecked(m == element);
}

MuCheck::MuCheck(MuContainer* parent, const char* id, const char* label, Type type,
                 MuCheck* groupWith)
    : MuElement(parent, id, label), type_(type) {
  if (type_ != Radio) return;
  // A partner without a group (a Normal box) cannot lend one; the radio then
  // starts a group of its own rather than being left without.
  group_ = groupWith && groupWith->group_ ? groupWith->group_ : std::make_shared<Group>();
  PLAT_ASSERT(group_);
  group_->registerCheck(this, true);
}

MuCheck::~MuCheck() {
  if (group_) group_->registerCheck(this, false);
}

plat::DString MuCheck::getState() {
  plat::DString s = MuElement::getState();
  s.prf("element Check\ntype %s\nvalue %d\nindeterminate %d\n", type_ == Radio ? "Radio" : "Normal",
        isChecked() ? 1 : 0, isIndeterminate() ? 1 : 0);
  return s;
}

}  // namespace mui
