#include "lib2/mui/MuEdit.h"

#include <climits>

#include "lib1/plat/StrUtil.h"
#include "lib2/plat/EscapedValue.h"

namespace mui {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool MuEdit::NumericFilter::filterText(MuEdit*, const char* newText, int) {
  const char* s = newText ? newText : "";
  if (*s == '\0') return true;
  if (min < 0 && s[0] == '-' && s[1] == '\0') return true;
  // The number reader would skip leading white space; a typed number has
  // none, so it is refused here.
  if (!isDigit(s[0]) && s[0] != '-' && s[0] != '+') return false;
  int value = 0;
  if (!plat::strToInt(&value, s, 10)) return false;
  if (s[0] == '-' && s[1] == '0') return false;
  const char* digits = s[0] == '-' || s[0] == '+' ? s + 1 : s;
  if (digits[0] == '0' && digits[1] != '\0') return false;
  return value >= min && value <= max;
}

MuEdit::MuEdit(MuContainer* parent, const char* id, const char* label, Type type)
    : MuElement(parent, id, label), type_(type) {}

void MuEdit::setNumeric() {
  static NumericFilter everyInt(INT_MIN, INT_MAX);
  setFilter(&everyInt);
}

plat::DString MuEdit::getState() {
  static const char* const names[] = {"Text", "Password", "Multiline"};
  const char* name = type_ >= Text && type_ <= Multiline ? names[type_] : "?";
  plat::DString s = MuElement::getState();
  if (type_ == Password) {
    s.prf("element Edit\ntype %s\nvalue <hidden>\n", name);
  } else {
    s.prf("element Edit\ntype %s\nvalue %s\n", name, plat::EscapedValue(getText()).get());
  }
  return s;
}

}  // namespace mui
