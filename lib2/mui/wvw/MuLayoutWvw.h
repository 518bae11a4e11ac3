// mui::MuLayoutWvw: the box layout on the widget set. Its widget is a plain
// container that lists the children's widgets in the children's order, so
// that Tab visits them as they stand on screen; the layout places them anew
// whenever a child comes, goes or moves and whenever the container is
// resized.
//
// A child's widget leaves the container before the child is destroyed, so
// the child hears its widget stop while it is still whole.
#pragma once

#include "lib2/mui/MuLayout.h"
#include "lib2/wvw/WChild.h"
#include "lib2/wvw/WInputHandler.h"
#include "lib2/wvw/WLayout.h"

namespace mui {

class MuLayoutWvw : public MuLayout, private wvw::WInputHandler {
 public:
  MuLayoutWvw(MuContainer* parent, const char* id, Type type);
  ~MuLayoutWvw() override;

  void childAdded(MuElement* element) override;
  void childRemoved(MuElement* element) override;
  void destroyChildren() override;
  // The widgets take the children's new order, which is the keyboard's.
  void onChildReorder() override;
  // Lays out and repaints.
  void update() override;

 private:
  bool handleResize(wvw::Widget* w) override;

  wvw::WChild<wvw::WLayout> layout_{true};
};

MuLayout* muLayoutWvw(MuContainer* parent, const char* id, MuLayout::Type type);

}  // namespace mui
