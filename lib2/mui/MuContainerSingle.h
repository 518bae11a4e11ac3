// mui::MuContainerSingle: a container of at most one child, with a margin
// kept free around it. Adding a second child replaces the first, which goes
// through childRemoved so that a back-end can take its widget out first.
#pragma once

#include <memory>

#include "lib2/mui/MuContainer.h"

namespace mui {

class MuContainerSingle : public MuContainer {
 public:
  // The margin starts at the default single-container margin (sizes index 3).
  MuContainerSingle(MuContainer* parent, const char* id);
  ~MuContainerSingle() override;

  // The child for 0 or -1, else null.
  MuElement* lookup(int i) const override;
  int numChildren() const override { return child_ ? 1 : 0; }
  void childAdded(MuElement* element) override;
  // element must be the child.
  void childRemoved(MuElement* element) override;
  void destroyChildren() override;

  // Only stores the margin; the next layout uses it.
  virtual void setMargin(plat::Point margin) { margin_ = margin; }
  plat::Point getMargin() const { return margin_; }
  MuElement* getChild() const { return child_.get(); }

 private:
  plat::Point margin_;
  std::unique_ptr<MuElement> child_;
};

}  // namespace mui
