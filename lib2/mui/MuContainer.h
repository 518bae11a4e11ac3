// mui::MuContainer: an element that holds other elements and owns them from
// childAdded until childRemoved, destroyChildren or its own end. Subclasses
// say how children are kept and placed; every container can report a lock
// anywhere below it and find a descendant by its dotted path of ids.
#pragma once

#include "lib2/mui/MuElement.h"

namespace mui {

class MuContainer : public MuElement {
 public:
  MuContainer(MuContainer* parent, const char* id) : MuElement(parent, id, nullptr) {}

  // The child at index i, or null; some containers count negative indices
  // from the end.
  virtual MuElement* lookup(int i) const = 0;
  virtual int numChildren() const = 0;
  // Takes ownership of a new child.
  virtual void childAdded(MuElement* element) = 0;
  // Detaches and destroys a child.
  virtual void childRemoved(MuElement* element) = 0;
  // Places the children inside the container.
  virtual void layoutChildren() {}
  virtual void destroyChildren() {}

  // Destroys the child through childRemoved.
  void removeChild(MuElement* element);

  // Locked itself, or anything below.
  bool isAnyLocked() const override;
  // Sizes the back-end object, then lays the children out.
  void setSize(const plat::Point& size) override;
  const char* getType() const override { return "container"; }
  // "a.b" is the child with id b inside the child with id a; the first child
  // with a matching id wins; null when nothing matches.
  MuElement* lookupElement(const char* path) override;
  void update() override { layoutChildren(); }
};

}  // namespace mui
