#include "lib1/plat/Wildcard.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>
#include <string>

using plat::Wildcard;

namespace {

// The plain definition: a star tries every split. Exponential, but the
// inputs here are short.
bool reference(const char* p, const char* t, bool caseSensitive, bool star) {
  if (!*p) return !*t;
  if (star && *p == '*')
    return reference(p + 1, t, caseSensitive, star) ||
           (*t && reference(p, t + 1, caseSensitive, star));
  if (!*t) return false;
  bool same = caseSensitive ? *p == *t
                            : tolower(static_cast<unsigned char>(*p)) ==
                                  tolower(static_cast<unsigned char>(*t));
  return same && reference(p + 1, t + 1, caseSensitive, star);
}

}  // namespace

TEST(Wildcard, AgreesWithTheReferenceOnRandomInput) {
  std::mt19937 rng(20240601);
  const char patternChars[] = "aAb**";
  const char textChars[] = "aAb*";
  for (int i = 0; i < 40000; i++) {
    std::string p, t;
    for (int n = int(rng() % 8); n > 0; n--) p += patternChars[rng() % 5];
    for (int n = int(rng() % 9); n > 0; n--) t += textChars[rng() % 4];
    bool cs = rng() & 1;
    unsigned flags = (rng() % 4) ? unsigned(Wildcard::STAR) : 0u;
    ASSERT_EQ(Wildcard::match(p.c_str(), t.c_str(), cs, flags),
              reference(p.c_str(), t.c_str(), cs, flags & Wildcard::STAR))
        << "pattern '" << p << "' text '" << t << "' caseSensitive " << cs << " flags " << flags;
  }
}

TEST(Wildcard, NamedCases) {
  auto star = [](const char* p, const char* t, bool cs) { return Wildcard::match(p, t, cs, 1); };
  EXPECT_TRUE(star("a*b*c", "axxbyyc", true));
  EXPECT_TRUE(star("*", "", true));
  EXPECT_TRUE(star("CONFIG*", "Configuration", false));
  EXPECT_FALSE(star("config*", "ConfigParameter", true));
  EXPECT_TRUE(star(nullptr, "", false));
  EXPECT_FALSE(star("", "x", false));     // matches no log name
  EXPECT_FALSE(star("a*a", "a", false));  // prefix and suffix may not share
  // Without STAR, "*" is only itself.
  EXPECT_FALSE(Wildcard::match("*", "x", true, 0));
  EXPECT_TRUE(Wildcard::match("*", "*", true, 0));
  EXPECT_TRUE(Wildcard::match("ABC", "abc", false, 0));
  EXPECT_FALSE(Wildcard::match("ABC", "abc", true, 0));
}

TEST(Wildcard, PathologicalPatternEndsQuickly) {
  // Back-tracking over thirteen stars on this text would not finish in any
  // test's lifetime; a run that hangs is stopped by the test time-out.
  std::string text(20000, 'a');
  EXPECT_FALSE(Wildcard::match("*a*a*a*a*a*a*a*a*a*a*a*a*b", text.c_str(), true, Wildcard::STAR));
  EXPECT_TRUE(Wildcard::match("*a*a*a*a*a*a*a*a*a*a*a*a*", text.c_str(), false, Wildcard::STAR));
  text += 'b';
  EXPECT_TRUE(Wildcard::match("*A*A*A*A*A*A*A*A*A*A*A*A*B", text.c_str(), false, Wildcard::STAR));
}
