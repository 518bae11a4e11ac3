#include "lib2/fb/Keysym.h"

#include <gtest/gtest.h>

namespace {

TEST(Keysym, KeysymToUnicode) {
  struct Row {
    unsigned keysym, unicode;
  } rows[] = {
      {0xFF0D, 0x0A},
      {0xFF8D, 0x0A},  // Return, KP_Enter: line feed
      {0xFF08, 0x08},
      {0xFFFF, 0x7F},
      {0x1F, 0},
      {0x7F, 0},
      {0x9F, 0},
      {0x41, 0x41},
      {0xE9, 0xE9},
      {0x1A1, 0x104},
      {0x3C0, 0x100},
      {0x6C1, 0x430},
      {0x7C1, 0x391},
      {0x8A1, 0x23B7},
      {0x20AC, 0x20AC},
      {0x1000101, 0x101},
      {0x100263A, 0x263A},
      {0xFFB5, 0x35},  // KP_5
      {0xFFE1, 0},     // Shift_L: no character
      // What would be invalid UTF-8 in a text: surrogates, noncharacters,
      // code points past U+10FFFF.
      {0x100D800, 0},
      {0x100DFFF, 0},
      {0x100FDD0, 0},
      {0x100FFFE, 0},
      {0x110FFFF, 0},
      {0x11FFFFF, 0},
  };
  for (const Row& r : rows)
    EXPECT_EQ(fb::keysymToUnicode(r.keysym), r.unicode) << std::hex << r.keysym;
}

TEST(Keysym, UnicodeToKeysym) {
  struct Row {
    unsigned unicode, keysym;
  } rows[] = {{0x41, 0x41},        {0xFF, 0xFF},   {0x9F, 0},    {0x0A, 0xFF0D},
              {0x263A, 0x100263A}, {0x104, 0x1A1}, {0x110000, 0}};
  for (const Row& r : rows)
    EXPECT_EQ(fb::unicodeToKeysym(r.unicode), r.keysym) << std::hex << r.unicode;
}

TEST(Keysym, NormaliseAndAlternatives) {
  struct Row {
    unsigned keysym, normal, alternative;
  } rows[] = {
      {0xFFB5, 0x35, 0x35},                   // KP_5
      {0xFFE2, 0xFFE1, 0xFFE1},               // Shift_R
      {0xFFE1, 0xFFE1, 0xFFE2},               // Shift_L: its alternative goes the other way
      {0xFF7E, 0xFE03, 0xFE03},               // Mode_switch
      {0xFF9F, 0xFFFF, 0xFFFF},               // KP_Delete
      {0x10003E0 - 0x3E0 + 0x101, 0x3E0, 0},  // Unicode amacron: the legacy keysym
      {0x1000041, 0x41, 0},
      {0x61, 0x61, 0},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(fb::normaliseKeysym(r.keysym), r.normal) << std::hex << r.keysym;
    EXPECT_EQ(fb::alternativeKeysym(r.keysym), r.alternative) << std::hex << r.keysym;
  }
}

TEST(Keysym, Classes) {
  for (unsigned k : {0xFFE1u, 0xFFEFu, 0xFF7Eu, 0xFF7Fu, 0xFE01u, 0xFE0Fu})
    EXPECT_TRUE(fb::isModifierKeysym(k)) << std::hex << k;
  for (unsigned k : {0xFFE0u, 0xFFF0u, 0xFE00u, 0xFE10u, 0x41u})
    EXPECT_FALSE(fb::isModifierKeysym(k)) << std::hex << k;
  EXPECT_TRUE(fb::isKeypadKeysym(0xFF80));
  EXPECT_TRUE(fb::isKeypadKeysym(0xFFBD));
  EXPECT_FALSE(fb::isKeypadKeysym(0xFFBE));
}

TEST(Keysym, StringToKeysym) {
  struct Row {
    const char* s;
    unsigned keysym;
  } rows[] = {{"F12", 0xFFC9},
              {"F1", 0xFFBE},
              {"F19", 0xFFD0},
              {"F20", 0},
              {"F0", 0},
              {"F", 0x46},
              {"a", 0x61},
              {"\xC3\xA9", 0xE9},
              {"\xE2\x98\xBA", 0x100263A},
              {"ab", 0},
              {"", 0},
              {"\xC3", 0}};
  for (const Row& r : rows) EXPECT_EQ(fb::stringToKeysym(r.s), r.keysym) << r.s;
}

}  // namespace
