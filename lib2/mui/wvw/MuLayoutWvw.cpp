#include "lib2/mui/wvw/MuLayoutWvw.h"

#include <memory>

#include "lib2/mui/wvw/MuCommonWvw.h"

namespace mui {

MuLayoutWvw::MuLayoutWvw(MuContainer* parent, const char* id, Type type)
    : MuLayout(parent, id, type) {
  layout_.setInputHandler(this);
  setImpl(std::make_unique<MuCommonWvw>(&layout_));
}

MuLayoutWvw::~MuLayoutWvw() { destroyChildren(); }

void MuLayoutWvw::childAdded(MuElement* element) {
  MuLayout::childAdded(element);
  layout_.add(getWidget(element), nullptr);
  layoutChildren();
}

void MuLayoutWvw::childRemoved(MuElement* element) {
  layout_.remove(getWidget(element));
  MuLayout::childRemoved(element);
  layoutChildren();
}

void MuLayoutWvw::destroyChildren() {
  // Last to first, as the model does; nothing is laid out on the way.
  while (MuElement* last = lookup(-1)) {
    layout_.remove(getWidget(last));
    MuLayout::childRemoved(last);
  }
}

void MuLayoutWvw::onChildReorder() {
  for (int i = 0; i < numChildren(); i++) layout_.moveChild(getWidget(lookup(i)), nullptr);
}

void MuLayoutWvw::update() {
  layoutChildren();
  layout_.invalidate();
}

bool MuLayoutWvw::handleResize(wvw::Widget* w) {
  if (w == &layout_) layoutChildren();
  return false;
}

MuLayout* muLayoutWvw(MuContainer* parent, const char* id, MuLayout::Type type) {
  return new MuLayoutWvw(parent, id, type);
}

}  // namespace mui
