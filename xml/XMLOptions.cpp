#include "xml/XMLOptions.h"

#include <cstring>

namespace xml {

namespace {

struct Tables {
  unsigned char t[7][256];

  // Fills the bytes from..to of table e with length n.
  void range(int e, int from, int to, unsigned char n) {
    for (int b = from; b <= to; ++b) t[e][b] = n;
  }

  Tables() {
    memset(t, 1, sizeof t);
    range(1, 0xC2, 0xDF, 2);
    range(1, 0xE0, 0xEF, 3);
    range(1, 0xF0, 0xF4, 4);
    range(3, 0x81, 0x9F, 2);
    range(3, 0xE0, 0xEF, 2);
    range(4, 0xA1, 0xF7, 2);
    range(5, 0x81, 0xFE, 2);
    range(6, 0x81, 0xFE, 2);
    for (auto& row : t) row[0] = 0;
  }
};

const Tables& tables() {
  static const Tables instance;
  return instance;
}

}  // namespace

const unsigned char* XMLOptions::table(int encoding) {
  if (encoding < 1 || encoding > 6) return nullptr;
  return tables().t[encoding];
}

XMLOptions& XMLOptions::get() {
  static XMLOptions options = [] {
    XMLOptions o;
    o.lengths = table(1);
    return o;
  }();
  return options;
}

}  // namespace xml
