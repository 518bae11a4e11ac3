#include "libs/svr/Permissions.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/Localize.h"
#include "tests/support/Failure.h"

namespace {

using svr::Permissions;

class PermissionSet : public ::testing::Test {
 protected:
  void SetUp() override {
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en_US", 50);
  }
  void TearDown() override { loc::localeParam.unsetParam(50, false); }
};

// A text and its canonical form, or null when the text is invalid.
const struct {
  const char* text;
  const char* canonical;
} kGrammar[] = {
    {"", ""},          {"0", ""},
    {"+", ""},         {"+s", "s"},
    {"s+k", "ks"},     {"-!s", "!s"},
    {"skpc", "ckps"},  {"f-q", "ckps"},
    {"d!q", "ckps!q"}, {"s-s", ""},
    {"++s", nullptr},  {"s+-k+", nullptr},
    {"!s-k", nullptr}, {"Sk", nullptr},
    {"s,k", nullptr},  {"s:k", nullptr},
    {"s k", nullptr},  {"s!!k", nullptr},
    {"--s", nullptr},  {"s\x01", nullptr},
    {"s1", nullptr},   {"\xc3\xa9", nullptr},
};

TEST_F(PermissionSet, ParsesTheGrammarAllOrNothing) {
  for (const auto& row : kGrammar) {
    Permissions set("k!q");
    if (!row.canonical) {
      EXPECT_EQ(gwtest::failureOf([&] { set.parse(row.text); }), "invalid permissions string")
          << row.text;
      EXPECT_TRUE(set.isExactlyEqual(Permissions("k!q")) && set.isStringEqual(Permissions("k!q")))
          << row.text;
      continue;
    }
    set.parse(row.text);
    EXPECT_STREQ(set.getString(), row.text);
    set.setExpandedString();
    EXPECT_STREQ(set.getString(), row.canonical) << row.text;
    EXPECT_TRUE(set.keepsText());
  }
}

TEST_F(PermissionSet, NullTextIsEmptyWithoutText) {
  Permissions set(nullptr);
  EXPECT_FALSE(set.keepsText());
  EXPECT_STREQ(set.getString(), "");
  EXPECT_FALSE(set.allowsAccess());
}

TEST_F(PermissionSet, ComparesExactlyEffectivelyAndByText) {
  const struct {
    const char *a, *b;
    bool exact, effective, text;
  } rows[] = {
      {"d", "d!q", false, true, false},
      {"f", "f!q", false, false, false},
      {"sk", "ks", true, true, false},
      {"!s", "", false, true, false},
  };
  for (const auto& r : rows) {
    Permissions a(r.a), b(r.b);
    EXPECT_EQ(a.isExactlyEqual(b), r.exact) << r.a << " " << r.b;
    EXPECT_EQ(a.isEffectivelyEqual(b), r.effective) << r.a << " " << r.b;
    EXPECT_EQ(a.isStringEqual(b), r.text) << r.a << " " << r.b;
  }
}

TEST_F(PermissionSet, MergeAndRestrictSettleTheText) {
  const struct {
    bool restrict;
    const char *self, *other, *text;
    bool keep;
  } rows[] = {
      {false, "!s", "s", "!s", true},      // a denial here survives
      {false, nullptr, "sk", "sk", true},  // adopts other's kept text
      {false, "s", "k", "ks", false},      // no matching text: canonical
      {true, "skp", "s!k", "s!k", true},  {true, "s", "skp", "s", true},
  };
  for (const auto& r : rows) {
    Permissions set(r.self);
    if (r.restrict)
      set.restrictTo(Permissions(r.other));
    else
      set.merge(Permissions(r.other));
    EXPECT_STREQ(set.getString(), r.text) << r.self << " " << r.other;
    EXPECT_EQ(set.keepsText(), r.keep) << r.self << " " << r.other;
  }
}

TEST_F(PermissionSet, OnlyRestrictAdoptsACachedText) {
  Permissions cached("s");
  cached.merge(Permissions("k"));
  cached.getString();
  Permissions merged, restricted("skp");
  merged.merge(cached);
  restricted.restrictTo(cached);
  EXPECT_FALSE(merged.keepsText());
  EXPECT_TRUE(restricted.keepsText());
  EXPECT_STREQ(restricted.getString(), "ks");
}

TEST_F(PermissionSet, NamesTheLevel) {
  const struct {
    const char* text;
    bool nullIfCustom;
    const char* level;
  } rows[] = {
      {"", false, "No access"},   {"!f", false, "No access"}, {"f", false, "Administrative"},
      {"f!q", false, "Standard"}, {"v", false, "View-only"},  {"kpc", false, "Input-only"},
      {"sk", false, "Custom"},    {"sk", true, nullptr},
  };
  for (const auto& r : rows) {
    const char* got = Permissions(r.text).shortDescription(r.nullIfCustom);
    EXPECT_EQ(std::string(got ? got : "(null)"), r.level ? r.level : "(null)") << r.text;
  }
  loc::localeParam.setParam("fr_FR", 50);
  EXPECT_STREQ(Permissions("v").shortDescription(false), "Lecture seule");
}

}  // namespace
