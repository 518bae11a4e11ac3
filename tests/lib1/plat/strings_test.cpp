// SString and DString: the fixed-capacity cut and the growable string.
#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>

#include "lib1/plat/DString.h"
#include "lib1/plat/SString.h"

using plat::DString;

namespace {

// Appends to an exact-size heap buffer, so that a write past cap is caught
// under AddressSanitizer.
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

DString make(const char* s) {
  DString d;
  d.append(s);
  return d;
}

}  // namespace

TEST(SString, CutWholeAtTheCapacity) {
  for (bool prf : {false, true}) {
    // Capacity 8: bytes 0..6 for text, byte 7 for the NUL.
    EXPECT_EQ(appendTo(8, "abcde", "\xE2\x82\xAC", prf), "abcde");
    EXPECT_EQ(appendTo(8, "abcd", "\xE2\x82\xAC", prf), "abcd\xE2\x82\xAC");
    EXPECT_EQ(appendTo(8, "abcdef", "\xC3\xA9", prf), "abcdef");
    EXPECT_EQ(appendTo(8, "abcde", "\xC3\xA9", prf), "abcde\xC3\xA9");
    EXPECT_EQ(appendTo(8, "abcd", "\xF0\x9F\x98\x80", prf), "abcd");
    EXPECT_EQ(appendTo(8, "abc", "\xF0\x9F\x98\x80xyz", prf), "abc\xF0\x9F\x98\x80");
    EXPECT_EQ(appendTo(8, "", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", prf), "\xC3\xA9\xC3\xA9\xC3\xA9");
    // An incomplete sequence left by an earlier append is not this append's
    // to cut: the look-back stops where the append began.
    EXPECT_EQ(appendTo(8, "abcd\xF0", "\x9F\x98\x80", prf), "abcd\xF0\x9F\x98");
    // Only continuation bytes in the window: nothing to cut.
    EXPECT_EQ(appendTo(8, "ab", "\x80\x80\x80\x80\x80\x80", prf), "ab\x80\x80\x80\x80\x80");
    EXPECT_EQ(appendTo(8, "1234567", "x", prf), "1234567");  // full already
  }
  plat::SString<16> s;
  s.prf("%s", "0123456789012345678901234567890123456789");
  EXPECT_STREQ(s, "012345678901234");
  plat::SString<8> t("ab");
  t.append("cdefgh", 2).appendChar('-', 100);
  EXPECT_STREQ(t, "abcd---");
  plat::SString<8> u("ab");
  u.prf("%ls", L"\u00e9");  // vsnprintf fails in the C locale: the text stays
  EXPECT_STREQ(u, "ab");
}

TEST(DString, CapacityAndAssignment) {
  for (auto [n, size] : {std::pair{0, 8}, {8, 8}, {9, 16}, {16, 16}, {1024, 1024}, {1025, 2048}})
    EXPECT_EQ(DString::bufSize(n), size) << n;
  DString a = make("hello");
  a.ensureCapacity(1000);  // the text moves with the buffer
  EXPECT_STREQ(a, "hello");
  DString& alias = a;
  a = alias;
  EXPECT_STREQ(a, "hello");
  DString b(100);
  a = b.append("b");
  EXPECT_EQ(a.capacity(), 128);
  a = DString();  // a source without a buffer leaves none
  EXPECT_EQ(a.capacity(), 0);
  EXPECT_STREQ(a.append("again"), "again");
  std::unique_ptr<char[]> taken(b.takeBuf());
  EXPECT_STREQ(taken.get(), "b");
  EXPECT_EQ(b.capacity(), 0);
}

TEST(DString, AppendedNulEndsTheText) {
  // The remembered length must stay where the first NUL is, or the next
  // append lands beyond it and is lost.
  DString d = make("ab");
  d.appendChar_('\0', 3);
  EXPECT_EQ(d.append_("c"), 3);
  d.prf("%c%c", 'd', 0);
  EXPECT_EQ(d.length(), 4);
  EXPECT_STREQ(d.append("e"), "abcde");
  EXPECT_STREQ(plat::DPrintf("x%cy", 0).append("z"), "xz");
}

TEST(DString, AppendsThatAliasTheirOwnBuffer) {
  DString d = make("ab");
  for (int i = 0; i < 8; i++) d.append_(d.get());  // most of them reallocate
  std::string expected;
  for (int i = 0; i < 256; i++) expected += "ab";
  EXPECT_EQ(d.get(), expected);
  d = make("0123456");
  EXPECT_EQ(d.append_(d.get() + 3, 2), 9);
  EXPECT_EQ(d.append_("xy\0z", 4), 11);
  DString w = make("abcdef");
  w.data()[2] = 0;  // cut short in place: the next append starts there
  EXPECT_EQ(w.append_("x"), 3);
  d.appendChar_('!', 0);
  d.appendChar_('!', 2);
  EXPECT_STREQ(d, "012345634xy!!");
  d.replaceRange(0, 3, d.get() + 9);
  EXPECT_STREQ(d, "xy!!345634xy!!");
  d = make("<xy-xy>");
  d.replace(d.get(), "xy", d.get() + 3);  // source and replacement in the string itself
  EXPECT_STREQ(d, "<xy-xy><-xy>--xy>>");
  d = make("abcdef");
  d.prf("%s|%s", d.get(), d.get());  // grows while its arguments are its text
  EXPECT_STREQ(d, "abcdefabcdef|abcdef");
}

TEST(DString, PrfGrowsAndStopsOnAFormattingError) {
  DString d;
  std::string big(5000, 'x');
  d.prf("[%s]", big.c_str()).prf("%d", 42);
  EXPECT_EQ(d.get(), "[" + big + "]42");
  EXPECT_EQ(d.capacity(), 8192);
  DString e = make("keep");
  e.prf("%ls", L"\u00e9");  // fails every time: must neither loop nor grow
  EXPECT_STREQ(e, "keep");
  EXPECT_EQ(e.capacity(), 8);
}

TEST(DString, ReplaceRangeStripAndReplace) {
  DString d = make("0123456789");
  for (auto [s, e] : {std::pair{-1, 2}, {5, 4}, {3, 11}}) d.replaceRange(s, e, "X");
  EXPECT_STREQ(d, "0123456789");
  d.replaceRange(10, 10, "end").replaceRange(0, 0, "<").replaceRange(3, 7, "abcdef", 2);
  EXPECT_STREQ(d, "<01ab6789end");
  d.stripAnyOf("e9<");
  EXPECT_STREQ(d, "01ab678nd");

  EXPECT_STREQ(make(">").replace("aaa", "aa", "b"), ">ba");
  DString r;
  EXPECT_STREQ(r.replace("a.b.c", ".", nullptr), "abc");
  EXPECT_STREQ(r.replace("b", "bbbb"), "abbbbc");  // grows while it scans
  DString none;
  EXPECT_EQ(none.replace("x", "y").capacity(), 0);
}

TEST(DStringDeathTest, ReplaceWithEmptyFindIsFatal) {
  DString d;
  EXPECT_DEATH(d.replace("abc", "", "x"), "Assertion 'findLen' failed");
  EXPECT_DEATH(make("abc").replace(nullptr, "x"), "Assertion 'findLen' failed");
}

TEST(DString, WordWrap) {
  auto wrap = [](const char* text, int width, int indent) {
    DString d = make(text);
    d.wordWrap(width, indent);
    return std::string(d.get());
  };
  EXPECT_EQ(wrap("aaa bbb ccc ddd", 10, 2), "aaa bbb\n  ccc ddd");
  EXPECT_EQ(wrap("a verylongword b", 5, 0), "a\nverylongword\nb");
  EXPECT_EQ(wrap("  lead  trail  ", 40, 0), "  lead  trail");
  EXPECT_EQ(wrap("aaaa\n  bb cc", 5, 1), "aaaa\n  bb\n cc");
  EXPECT_EQ(wrap("aa bb cc", 3, 4), "aa\n    bb\n    cc");
  DString none;
  none.wordWrap(3, 0);
  EXPECT_EQ(none.capacity(), 0);

  // Under a UTF-8 locale each of these characters takes two columns.
  std::string old = setlocale(LC_CTYPE, nullptr);
  ASSERT_TRUE(setlocale(LC_CTYPE, "C.UTF-8"));
  const char* cjk = "\xE6\x97\xA5\xE6\x9C\xAC \xE8\xAA\x9E";
  EXPECT_EQ(wrap(cjk, 5, 0), "\xE6\x97\xA5\xE6\x9C\xAC\n\xE8\xAA\x9E");
  EXPECT_EQ(wrap(cjk, 7, 0), cjk);
  setlocale(LC_CTYPE, old.c_str());
}
