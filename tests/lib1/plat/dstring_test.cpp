#include "lib1/plat/DString.h"

#include <gtest/gtest.h>

#include <clocale>
#include <memory>
#include <string>

using plat::DString;

namespace {

DString make(const char* s) {
  DString d;
  d.append(s);
  return d;
}

}  // namespace

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
}

TEST(DString, PrfOfItsOwnTextFormatsTheOldValueWhateverTheCapacity) {
  // At 8 the buffer must grow; at 64 the output goes right after the text
  // that is still being read.
  for (int capacity : {8, 64}) {
    DString d(capacity);
    d.append("abcdef");
    d.prf("<%s>%s", d.get(), d.get());
    EXPECT_STREQ(d, "abcdef<abcdef>abcdef") << capacity;
  }
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
