#include "lib2/mui/MuContainerSingle.h"

#include "lib1/plat/Assert.h"
#include "lib2/mui/Mui.h"

namespace mui {

MuContainerSingle::MuContainerSingle(MuContainer* parent, const char* id)
    : MuContainer(parent, id) {
  int s = sizes[MuiSizes::Margin];
  // Virtual calls in a constructor reach this class's own setMargin: a
  // subclass's override is not yet in force, as intended.
  setMargin(plat::Point(s, s));
}

MuContainerSingle::~MuContainerSingle() = default;

MuElement* MuContainerSingle::lookup(int i) const {
  return i == 0 || i == -1 ? child_.get() : nullptr;
}

void MuContainerSingle::childAdded(MuElement* element) {
  PLAT_ASSERT(element);
  if (element == child_.get()) return;
  if (child_) childRemoved(child_.get());
  child_.reset(element);
}

void MuContainerSingle::childRemoved(MuElement* element) {
  const std::unique_ptr<MuElement>& child = child_;
  PLAT_ASSERT(element == child.get());
  child_.reset();
}

void MuContainerSingle::destroyChildren() { child_.reset(); }

}  // namespace mui
