// Runs against the fake account files of this folder (see tests/CMakeLists.txt).
#include "lib1/os/unix/Passwd.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/Failure.h"

using namespace os;

TEST(Passwd, FindsUsersByIdAndNamesUnknownOnesByTheFallback) {
  Passwd p;
  p.getpw(nullptr, 1501);
  EXPECT_STREQ(p.pw.pw_dir, "/home/bob");
  EXPECT_STREQ(p.getName(4242, "nobody-here"), "nobody-here");
}

TEST(Passwd, MissingAccountsAndGroupsFailWithErrorZero) {
  Passwd p;
  Group g;
  const std::pair<std::function<void()>, const char*> cases[] = {
      {[&] { p.getpw("nosuchuser", -1); }, "getpwnam(nosuchuser): account not found"},
      {[&] { p.getpw(nullptr, 4242); }, "getpwuid(4242): account not found"},
      {[&] { g.getgr("nosuchgroup", -1); }, "getgrnam: Success (0)"},
      {[&] { g.getgr(nullptr, 4242); }, "getgrgid: Success (0)"},
  };
  for (auto& [call, text] : cases) {
    gwtest::expectSystemError(call, 0, text);
    EXPECT_EQ(gwtest::failureOf(call), text);  // no system text for "no error"
  }
  EXPECT_FALSE(p.found || g.found);
  EXPECT_EQ(p.pw.pw_name, nullptr);
}

TEST(Group, BigMemberListIsFoundAfterTheBufferGrows) {
  Group g;
  g.getgr("big", -1);
  ASSERT_TRUE(g.found);
  EXPECT_STREQ(g.gr.gr_mem[299], "member299");
  EXPECT_EQ(g.gr.gr_mem[300], nullptr);
}

TEST(Group, GrowthStopsAtTheLimitWithRange) {
  Group g;
  g.maxBuf = 2048;  // the big group needs more
  gwtest::expectSystemError([&] { g.getgr("big", -1); }, ERANGE, "getgrnam: ");
  EXPECT_FALSE(g.found);
  g.getgr("shared", -1);
  EXPECT_TRUE(g.found);
}

TEST(Group, MembershipByPrimaryGroupOrMemberList) {
  Passwd bob;
  bob.getpw("bob", -1);
  EXPECT_FALSE(Group::isMemberOf(nullptr, &bob.pw));
  Group g;
  // staff is bob's primary group and lists nobody.
  for (auto [name, member] : {std::pair{"staff", true}, {"shared", true}, {"lonely", false}}) {
    g.getgr(name, -1);
    EXPECT_EQ(Group::isMemberOf(&g.gr, &bob.pw), member) << name;
  }
}

TEST(PerUserGroupList, ListsOnlyTheGroupsNamingTheUser) {
  std::vector<int> groups{5, 6};
  for (auto [name, expected] : {std::pair{"alice", std::vector<int>{1601}},
                                {"member007", std::vector<int>{1602}},
                                {"ghost", {}}}) {
    passwd user = {};  // primary group 0, which lists nobody
    user.pw_name = const_cast<char*>(name);
    PerUserGroupList::getGroupsForUser(&user, groups);
    EXPECT_EQ(groups, expected) << name;
  }
}

TEST(PerUserGroupList, ContainsFetchesTheListOnce) {
  Passwd bob;
  bob.getpw("bob", -1);
  PerUserGroupList list(&bob.pw);
  Group g;
  g.getgr("shared", -1);
  EXPECT_TRUE(list.contains(&g.gr));
  list.groups.clear();  // changed behind its back: not looked at again
  EXPECT_FALSE(list.contains(&g.gr));
}
