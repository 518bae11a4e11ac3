#include "lib2/mui/MuStatic.h"

namespace mui {

MuStatic::MuStatic(MuContainer* parent, const char* id, Type type)
    : MuElement(parent, id, nullptr), type_(type) {}

void MuStatic::setText(const char* text, bool bold, bool singleLine) {
  if (!plat::String::equal(getLabel(), text)) setLabel(text);
  bold_ = bold;
  singleLine_ = singleLine;
}

plat::DString MuStatic::getState() {
  static const char* const names[] = {"Text",    "LeftText", "CenteredText", "RightText",
                                      "Heading", "Detail",   "Selectable",   "HorizontalLine"};
  const char* name = type_ >= Text && type_ <= HorizontalLine ? names[type_] : "?";
  plat::DString s = MuElement::getState();
  s.prf("element Static\ntype %s\nbold %d\n", name, bold_ ? 1 : 0);
  return s;
}

}  // namespace mui
