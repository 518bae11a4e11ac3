// mui::MuLayout: a container that arranges its shown children in one column
// (Vertical) or one row (Horizontal), spacing them apart.
//
// Each child has a mode. Along the main axis (mode & SizeMask): Natural, its
// own minimum, worked out anew at every layout and kept in its size; Fixed,
// its size in pixels; Weighted, a share of the free space, size being the
// weight. Across (mode & AlignMask): 0 fills the cross axis; anything else
// shrinks the child to its minimum there, aligned to the start, to the end
// (AlignEnd) or centred (AlignCentre).
//
// Weights of 0 in total give weighted children no space, and a layout too
// small for its children gives them no negative size.
#pragma once

#include <memory>
#include <vector>

#include "lib2/mui/MuContainer.h"

namespace mui {

class MuLayout : public MuContainer {
 public:
  enum Type { Vertical = 0, Horizontal = 1 };
  enum Mode {
    Natural = 0,
    Fixed = 1,
    Weighted = 2,
    SizeMask = 0x0F,
    AlignStart = 0x10,
    AlignEnd = 0x20,
    AlignCentre = 0x30,
    AlignMask = 0xF0,
  };
  enum ReorderOp { ToStart = 0, ToEnd = 1, Before = 2, After = 3 };

  MuLayout(MuContainer* parent, const char* id, Type type);
  ~MuLayout() override;

  // Stores the child's mode and size; the caller lays out afterwards.
  virtual void resizeChild(MuElement* child, int mode, int size);
  virtual void onChildReorder() {}
  // Moves a child, keeping its mode and size; Before and After with a ref
  // that is not a child move it to the end. Then lays out.
  void reorderChild(MuElement* child, ReorderOp op, MuElement* ref);

  Type getLayoutType() const { return type_; }
  int getSpacing() const { return spacing_; }
  void setSpacing(int spacing) { spacing_ = spacing; }

  void setSize(const plat::Point& size) override;
  int getMinWidth(int height) const override;
  int getMinHeight(int width) const override;
  const char* getType() const override { return "layout"; }
  plat::DString getState() override;
  // Negative indices count from the end.
  MuElement* lookup(int i) const override;
  int numChildren() const override { return int(children_.size()); }
  void childAdded(MuElement* element) override;
  void childRemoved(MuElement* element) override;
  void layoutChildren() override;
  void destroyChildren() override;

 private:
  struct Child {
    std::unique_ptr<MuElement> element;
    int mode;
    int size;
  };
  std::vector<Child>::iterator find(MuElement* element);
  // The minimum of e along this layout's main axis, asked with across.
  int minAlong(const MuElement* e, int across) const;
  // The minimum of e across this layout, asked with along.
  int minAcross(const MuElement* e, int along) const;
  // Along the main axis: the sum of the children's minimums and spacing.
  int minMain(int across) const;
  // Across: the widest need of a child, given the main length.
  int minCross(int along) const;

  Type type_;
  int spacing_;
  std::vector<Child> children_;
};

}  // namespace mui
