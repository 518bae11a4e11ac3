#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "lib1/loc/Localize.h"
#include "libs/svr/Permissions.h"

namespace {

using svr::Permissions;

std::string codes() {
  std::string s;
  for (const svr::PermissionDefn& d : Permissions::getPermissionDefns()) s += d.code;
  return s;
}

int allowed(const char* text) {
  Permissions set(text);
  int n = 0;
  for (char c = 'a'; c <= 'z'; c++) n += set.isAllowed(c);
  return n;
}

TEST(PermissionRegistry, CoreLettersComeOnFirstUse) {
  loc::Localize::inst()->init({});
  loc::localeParam.setParam("en_US", 50);
  const svr::PermissionDefn* q = Permissions::lookupPermissionDefn('q');
  ASSERT_TRUE(q);
  EXPECT_STREQ(q->name.get(), "No query");
  EXPECT_EQ(codes(), "skpcq");
  ASSERT_EQ(Permissions::lookupPermissionDefn('c')->params.size(), 2u);
  EXPECT_STREQ(Permissions::lookupPermissionDefn('c')->params[1].get(), "SendCutText");
  loc::localeParam.unsetParam(50, false);
}

TEST(PermissionRegistry, ProgramLettersGoBeforeNoQueryAndJoinTheirGroups) {
  std::optional<Permissions::RegistrationHelper> chat, ft, print;
  chat.emplace('h', "Chat", "Chat with other users", "fd", "EnableChat");
  ft.emplace('t', "File transfer", "Transfer files in either direction", "fd", "ShareFiles,");
  print.emplace('r', "Printing", "Print to a local printer", "fd", "EnableRemotePrinting");
  EXPECT_EQ(codes(), "skpchtrq");
  EXPECT_EQ(allowed("f"), 8);
  EXPECT_EQ(allowed("d"), 7);
  // A trailing comma names an empty parameter.
  EXPECT_EQ(Permissions::lookupPermissionDefn('t')->params.size(), 2u);

  ft.reset();
  EXPECT_EQ(codes(), "skpchrq");
  EXPECT_EQ(allowed("f"), 7);
  EXPECT_FALSE(Permissions("d").isAllowed('t'));
}

TEST(PermissionRegistryDeathTest, RefusesCodesThatWouldChangeStoredStrings) {
  const struct {
    char code;
    const char* groups;
  } rows[] = {
      {'f', nullptr},  // a group letter
      {'s', nullptr},  // already registered
      {'A', nullptr},  // not a to z
      {'x', "fk"},     // k would become a group
      {'x', "x"},      // its own group
  };
  for (const auto& r : rows)
    EXPECT_DEATH(Permissions::registerPermission(r.code, "n", "d", r.groups, nullptr),
                 "Assertion .* failed")
        << r.code;
}

}  // namespace
