#include "lib2/mui/MuContainer.h"

#include <cstring>

#include "lib1/plat/Assert.h"

namespace mui {

void MuContainer::removeChild(MuElement* element) {
  PLAT_ASSERT(element);
  childRemoved(element);
}

bool MuContainer::isAnyLocked() const {
  if (MuElement::isAnyLocked()) return true;
  for (int i = 0; i < numChildren(); i++) {
    if (lookup(i)->isAnyLocked()) return true;
  }
  return false;
}

void MuContainer::setSize(const plat::Point& size) {
  MuElement::setSize(size);
  layoutChildren();
}

MuElement* MuContainer::lookupElement(const char* path) {
  if (!path) return this;
  const char* dot = strchr(path, '.');
  size_t firstLen = dot ? size_t(dot - path) : strlen(path);
  const char* rest = dot ? dot + 1 : nullptr;
  for (int i = 0; i < numChildren(); i++) {
    MuElement* child = lookup(i);
    const char* id = child->getId();
    if (id && strlen(id) == firstLen && memcmp(id, path, firstLen) == 0) {
      return child->lookupElement(rest);
    }
  }
  return nullptr;
}

}  // namespace mui
