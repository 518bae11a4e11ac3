#include "lib2/mui/MuLayout.h"

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/mui/Mui.h"

namespace mui {

MuLayout::MuLayout(MuContainer* parent, const char* id, Type type)
    : MuContainer(parent, id), type_(type), spacing_(sizes[MuiSizes::Spacing]) {}

MuLayout::~MuLayout() { destroyChildren(); }

std::vector<MuLayout::Child>::iterator MuLayout::find(MuElement* element) {
  return std::find_if(children_.begin(), children_.end(),
                      [element](const Child& c) { return c.element.get() == element; });
}

void MuLayout::resizeChild(MuElement* child, int mode, int size) {
  const std::vector<Child>& children = children_;
  auto i = find(child);
  PLAT_ASSERT_MSG(i != children.end(), "Element '%s' is not a child of '%s'",
                  child ? child->getFullId().get() : "(null)", getFullId().get());
  i->mode = mode;
  i->size = size;
}

void MuLayout::reorderChild(MuElement* child, ReorderOp op, MuElement* ref) {
  const std::vector<Child>& children = children_;
  auto i = find(child);
  PLAT_ASSERT(i != children.end());
  Child moved = std::move(*i);
  children_.erase(i);
  auto at = children_.end();
  if (op == ToStart) {
    at = children_.begin();
  } else if (op == Before || op == After) {
    at = find(ref);
    if (at != children_.end() && op == After) ++at;
  }
  children_.insert(at, std::move(moved));
  onChildReorder();
  layoutChildren();
}

void MuLayout::setSize(const plat::Point& size) {
  MuElement::setSize(size);
  layoutChildren();
}

int MuLayout::minAlong(const MuElement* e, int across) const {
  return type_ == Vertical ? e->getMinHeight(across) : e->getMinWidth(across);
}

int MuLayout::minAcross(const MuElement* e, int along) const {
  return type_ == Vertical ? e->getMinWidth(along) : e->getMinHeight(along);
}

void MuLayout::layoutChildren() {
  if (type_ != Vertical && type_ != Horizontal) return;
  plat::Point own = getSize();
  int mainLength = type_ == Vertical ? own.y : own.x;
  int crossLength = type_ == Vertical ? own.x : own.y;
  int n = 0;
  int fixedTotal = 0;
  int weightTotal = 0;
  for (Child& c : children_) {
    if (!c.element->isShown()) continue;
    n++;
    switch (c.mode & SizeMask) {
      case Natural:
        c.size = minAlong(c.element.get(), crossLength);
        fixedTotal += c.size;
        break;
      case Fixed:
        fixedTotal += c.size;
        break;
      case Weighted:
        weightTotal += c.size;
        break;
      default:
        break;
    }
  }
  int freeSpace = mainLength - (n - 1) * spacing_ - fixedTotal;
  int offset = 0;
  for (Child& c : children_) {
    if (!c.element->isShown()) continue;
    int extent = c.size;
    if ((c.mode & SizeMask) == Weighted) {
      extent = weightTotal > 0 ? int(long(c.size) * freeSpace / weightTotal) : 0;
    }
    int crossSize = crossLength;
    int crossOffset = 0;
    int align = c.mode & AlignMask;
    if (align) {
      int m = minAcross(c.element.get(), extent);
      if (crossLength > m) {
        crossSize = m;
        if (align == AlignEnd) {
          crossOffset = crossLength - m;
        } else if (align == AlignCentre) {
          crossOffset = (crossLength - m) / 2;
        }
      }
    }
    int w = std::max(0, type_ == Vertical ? crossSize : extent);
    int h = std::max(0, type_ == Vertical ? extent : crossSize);
    c.element->setPos(type_ == Vertical ? plat::Point(crossOffset, offset)
                                        : plat::Point(offset, crossOffset));
    c.element->setSize(plat::Point(w, h));
    offset += extent + spacing_;
  }
}

int MuLayout::minMain(int across) const {
  int n = 0;
  int total = 0;
  for (const Child& c : children_) {
    if (!c.element->isShown()) continue;
    n++;
    total += (c.mode & SizeMask) == Fixed ? c.size : minAlong(c.element.get(), across);
  }
  return total + (n - 1) * spacing_;
}

int MuLayout::minCross(int along) const {
  int n = 0;
  int fixedTotal = 0;
  int weightTotal = 0;
  int result = 0;
  for (const Child& c : children_) {
    if (!c.element->isShown()) continue;
    n++;
    if ((c.mode & SizeMask) == Weighted) {
      weightTotal += c.size;
      continue;
    }
    int e = (c.mode & SizeMask) == Natural ? minAlong(c.element.get(), 0) : c.size;
    result = std::max(result, minAcross(c.element.get(), e));
    fixedTotal += e;
  }
  int freeSpace = along - (n - 1) * spacing_ - fixedTotal;
  for (const Child& c : children_) {
    if (!c.element->isShown() || (c.mode & SizeMask) != Weighted) continue;
    int share = weightTotal > 0 ? int(long(c.size) * freeSpace / weightTotal) : 0;
    result = std::max(result, minAcross(c.element.get(), share));
  }
  return result;
}

int MuLayout::getMinWidth(int height) const {
  return type_ == Horizontal ? minMain(height) : minCross(height);
}

int MuLayout::getMinHeight(int width) const {
  return type_ == Vertical ? minMain(width) : minCross(width);
}

plat::DString MuLayout::getState() {
  plat::DString s = MuContainer::getState();
  s.prf("element Layout\ntype %s\n", type_ == Vertical ? "Vertical" : "Horizontal");
  return s;
}

MuElement* MuLayout::lookup(int i) const {
  int n = numChildren();
  if (i < 0) i += n;
  return i >= 0 && i < n ? children_[size_t(i)].element.get() : nullptr;
}

void MuLayout::childAdded(MuElement* element) {
  PLAT_ASSERT(element);
  children_.push_back(Child{std::unique_ptr<MuElement>(element), Natural, 0});
}

void MuLayout::childRemoved(MuElement* element) {
  const std::vector<Child>& children = children_;
  auto i = find(element);
  PLAT_ASSERT(i != children.end());
  std::unique_ptr<MuElement> dying = std::move(i->element);
  children_.erase(i);
}

void MuLayout::destroyChildren() {
  // Last to first; each is taken out before it dies, so that nothing it does
  // on the way out finds itself still listed.
  while (!children_.empty()) {
    std::unique_ptr<MuElement> dying = std::move(children_.back().element);
    children_.pop_back();
  }
}

}  // namespace mui
