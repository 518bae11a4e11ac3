#include "libs/svr/Permissions.h"

#include <gtest/gtest.h>

#include <tuple>

#include "lib1/loc/Localize.h"
#include "tests/support/Failure.h"

using svr::Permissions;

// Texts and their canonical forms; texts that are not permission strings.
const char* const kValid[][2] = {{"", ""},        {"0", ""},        {"+", ""},   {"+s", "s"},
                                 {"s+k", "ks"},   {"-!s", "!s"},    {"s-s", ""}, {"skpc", "ckps"},
                                 {"f-q", "ckps"}, {"d!q", "ckps!q"}};
const char* const kInvalid[] = {"++s", "s+-k+", "!s-k", "Sk",    "s,k", "s:k",
                                "s k", "s!!k",  "--s",  "s\x01", "s1",  "\xc3\xa9"};

TEST(PermissionSet, ParsesTheGrammarAllOrNothing) {
  for (auto [text, canonical] : kValid) {
    Permissions set(text);
    set.setExpandedString();
    EXPECT_STREQ(set.getString(), canonical) << text;
  }
  Permissions set("k!q");
  for (const char* text : kInvalid) {
    EXPECT_EQ(gwtest::failureOf([&] { set.parse(text); }), "invalid permissions string");
    EXPECT_TRUE(set.isExactlyEqual(Permissions("k!q")) && set.getString() == std::string("k!q"))
        << text;
  }
}

TEST(PermissionSet, MergeAndRestrictSettleTheText) {
  Permissions cached("s");  // states sk, text only cached
  cached.merge(Permissions("k"));
  cached.getString();
  // Restrict or merge, this set, the other, the text and keep flag after.
  const std::tuple<bool, const char*, Permissions, const char*, bool> rows[] = {
      {false, "!s", Permissions("s"), "!s", true},  // a denial here survives
      {false, "s", cached, "ks", false},            // merge adopts only a kept text
      {true, "skp", Permissions("s!k"), "s!k", true},
      {true, "skp", cached, "ks", true}};
  for (const auto& [restrict, self, other, text, keep] : rows) {
    Permissions set(self);
    restrict ? set.restrictTo(other) : set.merge(other);
    EXPECT_STREQ(set.getString(), text) << self << " " << other.getString();
    EXPECT_EQ(set.keepsText(), keep) << self << " " << other.getString();
  }
}

TEST(PermissionSet, NamesTheLevel) {
  loc::Localize::inst()->init({});
  loc::localeParam.setParam("en_US", 50);
  const char* const rows[][2] = {{"", "No access"},   {"!f", "No access"}, {"f", "Administrative"},
                                 {"f!q", "Standard"}, {"v", "View-only"},  {"kpc", "Input-only"},
                                 {"sk", "Custom"}};
  for (auto [text, level] : rows) EXPECT_STREQ(Permissions(text).shortDescription(false), level);
  EXPECT_EQ(Permissions("sk").shortDescription(true), nullptr);
  loc::localeParam.setParam("fr_FR", 50);
  EXPECT_STREQ(Permissions("v").shortDescription(false), "Lecture seule");
}
