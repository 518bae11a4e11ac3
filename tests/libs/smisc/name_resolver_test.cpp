// Runs against the fake account files of this folder (see tests/CMakeLists.txt).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "lib1/loc/LocaleSetter.h"
#include "libs/score/Mode.h"
#include "libs/smisc/NameResolverSystemAuth.h"

namespace {

struct Row {
  const char* name;
  const char* id;
  bool isGroup;
  const char* expected;
};

std::string shown(const char* id, bool isGroup = false) {
  return smisc::NameResolverSystemAuth().resolveName(id, nullptr, isGroup).get();
}

std::string canonical(const char* name, bool isGroup) {
  return smisc::NameResolverSystemAuth().canonicalizeName(name, isGroup).get();
}

// In English and in user mode unless a test asks otherwise.
class NameResolverSystemAuth : public testing::Test {
  void TearDown() override { score::mode = score::ModeUser; }
  loc::LocaleSetter english_{"en_US"};
};

}  // namespace

TEST_F(NameResolverSystemAuth, ShowsWhatTheDatabasesKnowOfAnId) {
  const Row rows[] = {
      {"full name up to the first comma", "jsmith", false, "John Smith (jsmith)"},
      {"user stored by number", "1001", false, "John Smith (1001=jsmith)"},
      {"empty full name", "nogecos", false, " (nogecos)"},
      {"digits that are a user name", "2000", false, "Digits (2000)"},
      {"unknown user", "bob", false, "Unknown user (bob)"},
      {"number of no account", "4242", false, "Unknown user (4242)"},
      {"number beyond any id", "99999999999", false, "Unknown user (99999999999)"},
      {"full name not in UTF-8", "latin", false, "Jos\uFFFD Luis (latin)"},
      {"account name not in UTF-8", "1007", false, "Cafe (1007=caf\uFFFD)"},
      {"group by number", "50", true, "50 (=staff)"},
      {"unknown group", "nogroup1", true, "Unknown group (nogroup1)"},
      {"empty group id", "", true, "Unknown group ()"},
      {"user name asked as a group", "jsmith", true, "Unknown group (jsmith)"},
  };
  for (const Row& r : rows) EXPECT_EQ(shown(r.id, r.isGroup), r.expected) << r.name;
}

TEST_F(NameResolverSystemAuth, ServerOwnerInServiceModeIsRootInTheUsersLanguage) {
  score::mode = score::ModeService;
  EXPECT_EQ(shown(""), "Zem Server owner [root]");
  loc::LocaleSetter german("de_DE");
  EXPECT_EQ(shown(""), "Zem Server-Eigentümer [root]");
}

TEST_F(NameResolverSystemAuth, ServerOwnerInUserModeIsTheRealUser) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to take another uid";
  // A child takes the uid for good, so that the tests after it keep root.
  for (auto [uid, owner] : {std::pair{65534, "nobody"}, {4242, "Unknown user"}}) {
    auto child = [uid] {
      if (setuid(uid_t(uid)) == 0) fprintf(stderr, "<%s>", shown("").c_str());
      _exit(0);
    };
    EXPECT_EXIT(child(), testing::ExitedWithCode(0),
                "<Zem Server owner \\[" + std::string(owner) + "\\]>");
  }
}

TEST_F(NameResolverSystemAuth, TypedNamesBecomeTheFirstNameOfTheirNumber) {
  const Row rows[] = {
      {"user number", "0", false, "root"},
      {"second name of a uid", "toor", false, "root"},
      {"unknown user kept", "bob", false, "bob"},
      {"digits that are a user name", "2000", false, "2000"},
      {"group number", "50", true, "staff"},
      {"second name of a gid", "wheel", true, "staff"},
      {"unknown group kept", "nogroup1", true, "nogroup1"},
      {"group name starting with %", "%pct", true, "%pct"},
      // Account names that could not be stored leave the number as typed.
      {"account name with a comma", "1003", false, "1003"},
      {"user account name starting with %", "1004", false, "1004"},
      {"account name not in UTF-8", "1007", false, "1007"},
  };
  for (const Row& r : rows) EXPECT_EQ(canonical(r.id, r.isGroup), r.expected) << r.name;
}

TEST_F(NameResolverSystemAuth, KeepsNamesThePrincipalListCannotHoldAndThrowsNothing) {
  // The add dialog refuses such names; the resolver only names accounts.
  const Row rows[] = {
      {"account name with a comma", "odd,one", false, "odd,one"},
      {"colon in a group name", "a:b", true, "a:b"},
      {"user account name starting with %", "%pct", false, "%pct"},
  };
  for (const Row& r : rows) EXPECT_EQ(canonical(r.id, r.isGroup), r.expected) << r.name;
}
