#include "lib2/mui/MuChoice.h"

#include "lib2/plat/EscapedValue.h"

namespace mui {

plat::DString MuChoice::getState() {
  plat::DString s = MuElement::getState();
  s.prf("element Choice\nvalue %d\nvaluestr %s\n", getSelection(),
        plat::EscapedValue(getText()).get());
  return s;
}

}  // namespace mui
