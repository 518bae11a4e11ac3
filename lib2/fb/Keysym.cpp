#include "lib2/fb/Keysym.h"

#include <cstdlib>
#include <unordered_map>

#include "lib1/plat/Utf8.h"

namespace fb {

namespace {

#include "KeysymUnicode.inc"

using Map = std::unordered_map<uint32_t, uint32_t>;

struct Maps {
  Map toUnicode, fromUnicode, toAlternative, fromAlternative;
  bool built = false;
};

Maps& maps() {
  static Maps m;
  return m;
}

const unsigned kUnicodeKeysym = 0x1000000;

bool isUnicodeKeysym(unsigned k) { return (k & ~0x1FFFFFu) == kUnicodeKeysym; }

// What may reach a text: no surrogates, nothing past U+10FFFF, no
// noncharacters (the same set the UTF-8 reader refuses).
bool isAcceptedCodePoint(unsigned u) {
  return u <= 0x10FFFF && !(u >= 0xD800 && u <= 0xDFFF) && !(u >= 0xFDD0 && u <= 0xFDEF) &&
         (u & 0xFFFE) != 0xFFFE;
}

unsigned latin1(unsigned k) { return (k >= 0x20 && k <= 0x7E) || k >= 0xA0 ? k : 0; }

void addAlternative(Maps& m, uint32_t k, uint32_t alt) {
  m.toAlternative.emplace(k, alt);
  m.fromAlternative.emplace(alt, k);
}

unsigned lookup(const Map& map, unsigned k) {
  auto it = map.find(k);
  return it == map.end() ? 0 : it->second;
}

}  // namespace

void buildKeysymMaps() {
  Maps& m = maps();
  if (m.built) return;
  for (const KeysymUnicode& e : kKeysymUnicode) {
    m.toUnicode.emplace(e.keysym, e.unicode);
    m.fromUnicode.emplace(e.unicode, e.keysym);
  }
  // Right-hand modifiers -> left-hand ones.
  for (uint32_t k : {0xFFE2u, 0xFFE4u, 0xFFE8u, 0xFFEAu, 0xFFECu, 0xFFEEu})
    addAlternative(m, k, k - 1);
  addAlternative(m, 0xFF7E, 0xFE03);  // Mode_switch -> ISO_Level3_Shift
  addAlternative(m, 0xFF80, 0x20);    // KP_Space
  addAlternative(m, 0xFF89, 0xFF09);  // KP_Tab
  addAlternative(m, 0xFF8D, 0xFF0D);  // KP_Enter
  for (uint32_t i = 0; i < 4; i++) addAlternative(m, 0xFF91 + i, 0xFFBE + i);  // KP_F1..F4
  for (uint32_t i = 0; i < 9; i++) addAlternative(m, 0xFF95 + i, 0xFF50 + i);  // KP_Home..Begin
  addAlternative(m, 0xFF9E, 0xFF63);                                           // KP_Insert
  addAlternative(m, 0xFF9F, 0xFFFF);                                           // KP_Delete
  addAlternative(m, 0xFFBD, 0x3D);                                             // KP_Equal
  for (uint32_t i = 0; i < 6; i++) addAlternative(m, 0xFFAA + i, 0x2A + i);    // KP_Multiply..
  for (uint32_t i = 0; i < 10; i++) addAlternative(m, 0xFFB0 + i, 0x30 + i);   // KP_0..9
  m.built = true;
}

bool isModifierKeysym(unsigned int k) {
  return (k >= 0xFFE1 && k <= 0xFFEF) || k == 0xFF7E || k == 0xFF7F || (k >= 0xFE01 && k <= 0xFE0F);
}

bool isKeypadKeysym(unsigned int k) { return k >= 0xFF80 && k <= 0xFFBD; }

unsigned int alternativeKeysym(unsigned int k) {
  buildKeysymMaps();
  if (unsigned alt = lookup(maps().toAlternative, k)) return alt;
  return lookup(maps().fromAlternative, k);
}

unsigned int normaliseUnicodeKeysym(unsigned int k) {
  return isUnicodeKeysym(k) ? unicodeToKeysym(k & 0x1FFFFF) : k;
}

unsigned int normaliseKeysym(unsigned int k) {
  buildKeysymMaps();
  unsigned n = normaliseUnicodeKeysym(k);
  auto it = maps().toAlternative.find(n);
  return it == maps().toAlternative.end() ? n : it->second;
}

unsigned int unicodeToKeysym(unsigned int u) {
  if ((u >= 0x20 && u <= 0x7E) || (u >= 0xA0 && u <= 0xFF)) return u;
  buildKeysymMaps();
  if (unsigned k = lookup(maps().fromUnicode, u)) return k;
  if (u < 0x100 || u > 0x10FFFF) return 0;
  return kUnicodeKeysym + u;
}

unsigned int keysymToUnicode(unsigned int k) {
  if (k <= 0xFF) return latin1(k);
  unsigned n = normaliseKeysym(k);
  unsigned u;
  if (n <= 0xFF)
    u = latin1(n);
  else if (isUnicodeKeysym(n))
    u = n & 0x1FFFFF;
  else
    u = lookup(maps().toUnicode, n);
  return isAcceptedCodePoint(u) ? u : 0;
}

unsigned int stringToKeysym(const char* s) {
  const char* p = s;
  int c = static_cast<unsigned char>(*p);
  if (c != 0) {
    p++;
    if (c >= 0x80) c = plat::readUtf8NonAscii(static_cast<unsigned char>(c), &p, 4);
    if (c > 0 && *p == 0) return unicodeToKeysym(unsigned(c));
  }
  if (s[0] == 'F') {
    int n = atoi(s + 1);
    if (n >= 1 && n <= 19) return 0xFFBD + unsigned(n);
  }
  return 0;
}

}  // namespace fb
