#include "lib1/plat/SString.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Appends to an exact-size heap buffer, so that ASan catches a write past cap.
std::string appendTo(int cap, const char* old, const char* add, bool viaPrf) {
  std::unique_ptr<char[]> buf(new char[cap]);
  buf[0] = 0;
  plat::SString_append(buf.get(), cap, old);
  if (viaPrf)
    plat::SString_prf(buf.get(), cap, "%s", add);
  else
    plat::SString_append(buf.get(), cap, add);
  return buf.get();
}

}  // namespace

// The fuzz target checks cuts of valid text; these cut text that was bad already.
TEST(SString, AnAppendCutsWholeCharactersOfItsOwnOnly) {
  for (bool prf : {false, true}) {
    // Capacity 8: bytes 0..6 for text, byte 7 for the NUL.
    EXPECT_EQ(appendTo(8, "abcde", "\xE2\x82\xAC", prf), "abcde");
    // An earlier append's incomplete sequence is not this one's to cut.
    EXPECT_EQ(appendTo(8, "abcd\xF0", "\x9F\x98\x80", prf), "abcd\xF0\x9F\x98");
    // Only continuation bytes in the window: nothing to cut.
    EXPECT_EQ(appendTo(8, "ab", "\x80\x80\x80\x80\x80\x80", prf), "ab\x80\x80\x80\x80\x80");
  }
}

TEST(SString, AFormatThatFailsKeepsTheText) {
  plat::SString<8> u("ab");
  u.prf("%ls", L"\u00e9");  // vsnprintf fails in the C locale
  EXPECT_STREQ(u, "ab");
}
