// X keysym classes and conversions: which keysyms are modifiers or keypad
// keys, the alternative of a keysym (keypad key <-> main key, right <-> left
// modifier), and keysym <-> Unicode in both directions. A keysym of the form
// 0x1000000 + code point is a Unicode keysym.
//
// The lookup maps are built from the generated keysym table on first use and
// kept until exit; single-threaded. A conversion that yields no character
// gives 0, never a surrogate or a noncharacter, so whatever comes out encodes
// as valid UTF-8.
#pragma once

#include <cstdint>

namespace fb {

struct KeysymUnicode {
  uint32_t keysym;
  uint32_t unicode;
};

bool isModifierKeysym(unsigned int k);
bool isKeypadKeysym(unsigned int k);

// k's alternative, or the keysym whose alternative k is, or 0.
unsigned int alternativeKeysym(unsigned int k);
// A Unicode keysym of a character that has a legacy keysym becomes that.
unsigned int normaliseUnicodeKeysym(unsigned int k);
// As normaliseUnicodeKeysym, then keypad keys to main keys and right-hand
// modifiers to left-hand ones.
unsigned int normaliseKeysym(unsigned int k);
unsigned int unicodeToKeysym(unsigned int u);
unsigned int keysymToUnicode(unsigned int k);
// The keysym of a one-character UTF-8 string, or of "F1" to "F19"; else 0.
unsigned int stringToKeysym(const char* s);

void buildKeysymMaps();

}  // namespace fb
