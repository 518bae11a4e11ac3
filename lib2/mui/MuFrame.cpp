#include "lib2/mui/MuFrame.h"

namespace mui {

MuFrame::MuFrame(MuContainer* parent, const char* id, const char* label, Type type)
    : MuContainerSingle(parent, id), type_(type) {
  setLabel(label);
}

plat::DString MuFrame::getState() {
  static const char* const names[] = {"Plain", "Titled", "Header", "Footer", "Bordered"};
  const char* name = type_ >= Plain && type_ <= Bordered ? names[type_] : "?";
  plat::Point m = getMargin();
  plat::DString s = MuContainerSingle::getState();
  s.prf("element Frame\ntype %s\nmargin %d,%d\n", name, m.x, m.y);
  return s;
}

}  // namespace mui
