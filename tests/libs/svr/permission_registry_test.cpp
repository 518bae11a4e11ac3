#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "libs/svr/Permissions.h"

using svr::Permissions;

static std::string codes() {
  std::string s;
  for (const svr::PermissionDefn& d : Permissions::getPermissionDefns()) s += d.code;
  return s;
}

static std::string allowed(const char* text) {
  Permissions set(text);
  set.setExpandedString();
  return set.getString();
}

TEST(PermissionRegistry, ProgramLettersGoBeforeNoQueryAndJoinTheirGroups) {
  std::optional<Permissions::RegistrationHelper> chat, ft, print;
  chat.emplace('h', "Chat", "Chat with other users", "fd", "EnableChat");
  ft.emplace('t', "File transfer", "Transfer files in either direction", "fd", "ShareFiles,");
  print.emplace('r', "Printing", "Print to a local printer", "fd", "EnableRemotePrinting");
  EXPECT_EQ(codes(), "skpchtrq");
  EXPECT_EQ(allowed("f"), "chkpqrst");
  EXPECT_EQ(allowed("d"), "chkprst");
  ft.reset();
  EXPECT_EQ(codes(), "skpchrq");
  EXPECT_EQ(allowed("f"), "chkpqrs");
}

TEST(PermissionRegistryDeathTest, RefusesCodesThatWouldChangeStoredStrings) {
  // A group letter, a registered code, no letter, and group letters that are codes.
  const std::pair<char, const char*> rows[] = {
      {'f', nullptr}, {'s', nullptr}, {'A', nullptr}, {'x', "fk"}, {'x', "x"}};
  for (auto [code, groups] : rows)
    EXPECT_DEATH(Permissions::registerPermission(code, "n", "d", groups, nullptr), "Assertion")
        << code;
}
