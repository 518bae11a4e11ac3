#include "lib1/plat/DString.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using plat::DString;

namespace {

DString make(const char* s) {
  DString d;
  d.append(s);
  return d;
}

std::string wrap(const char* text, int width, int indent) {
  DString d = make(text);
  d.wordWrap(width, indent);
  return d.get();
}

}  // namespace

TEST(DString, AnAppendedNulEndsTheText) {
  // The remembered length stays at the first NUL, or the next append is lost beyond it.
  DString d = make("ab");
  d.appendChar_('\0', 3);
  EXPECT_EQ(d.append_("c"), 3);
  d.prf("%c%c", 'd', 0);
  EXPECT_EQ(d.length(), 4);
  EXPECT_STREQ(d.append("e"), "abcde");
  EXPECT_STREQ(plat::DPrintf("x%cy", 0).append("z"), "xz");
}

TEST(DString, WritingInPlaceIsSeenByTheNextAppend) {
  DString w = make("abcdef");
  w.data()[2] = 0;
  EXPECT_EQ(w.append_("x"), 3);
}

TEST(DString, ItsOwnTextMayBeAppendedOrReplacedInto) {
  DString d = make("0123456");
  EXPECT_EQ(d.append_(d.get() + 3, 2), 9);
  d.replaceRange(0, 3, d.get() + 5);
  EXPECT_STREQ(d, "5634345634");
  d = make("<xy-xy>");
  d.replace(d.get(), "xy", d.get() + 3);
  EXPECT_STREQ(d, "<xy-xy><-xy>--xy>>");
}

TEST(DString, PrfOfItsOwnTextFormatsTheOldValueWhateverTheCapacity) {
  // At 8 the buffer must grow; at 64 the output goes right after the text being read.
  for (int capacity : {8, 64}) {
    DString d(capacity);
    d.append("abcdef");
    d.prf("<%s>%s", d.get(), d.get());
    EXPECT_STREQ(d, "abcdef<abcdef>abcdef") << capacity;
  }
}

TEST(DString, PrfGrowsToWhatTheOutputNeeds) {
  DString d;
  std::string big(5000, 'x');
  d.prf("[%s]", big.c_str()).prf("%d", 42);
  EXPECT_EQ(d.get(), "[" + big + "]42");
  EXPECT_EQ(d.capacity(), 8192);
}

TEST(DString, PrfThatFailsEveryTimeNeitherLoopsNorGrows) {
  DString e = make("keep");
  e.prf("%ls", L"\u00e9");  // no wide characters in the C locale
  EXPECT_STREQ(e, "keep");
  EXPECT_EQ(e.capacity(), 8);
}

TEST(DStringDeathTest, ReplaceWithEmptyFindIsFatal) {
  DString d;
  EXPECT_DEATH(d.replace("abc", "", "x"), "Assertion 'findLen' failed");
  EXPECT_DEATH(make("abc").replace(nullptr, "x"), "Assertion 'findLen' failed");
}

TEST(DString, WordWrapBreaksBetweenWordsAndIndents) {
  const std::tuple<const char*, int, int, const char*> cases[] = {
      {"aaa bbb ccc ddd", 10, 2, "aaa bbb\n  ccc ddd"},
      {"a verylongword b", 5, 0, "a\nverylongword\nb"},
      {"  lead  trail  ", 40, 0, "  lead  trail"},
      {"aaaa\n  bb cc", 5, 1, "aaaa\n  bb\n cc"},
      {"aa bb cc", 3, 4, "aa\n    bb\n    cc"}};
  for (auto [text, width, indent, out] : cases) EXPECT_EQ(wrap(text, width, indent), out) << text;
}
