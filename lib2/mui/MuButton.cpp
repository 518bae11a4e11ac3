#include "lib2/mui/MuButton.h"

namespace mui {

MuButton::MuButton(MuContainer* parent, const char* id, const char* label, Type type, int flags)
    : MuElement(parent, id, label), type_(type), flags_(flags | StateNormal) {}

void MuButton::setText(const char* text) {
  if (!plat::String::equal(getLabel(), text)) setLabel(text);
}

plat::DString MuButton::getState() {
  static const char* const names[] = {"Text", "Image", "Hyperlink"};
  const char* name = type_ >= Text && type_ <= Hyperlink ? names[type_] : "?";
  plat::DString s = MuElement::getState();
  s.prf("element Button\ntype %s\n", name);
  return s;
}

}  // namespace mui
