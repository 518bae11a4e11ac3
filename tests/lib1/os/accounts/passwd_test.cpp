// Runs against the fake account files of this folder (see tests/CMakeLists.txt).
#include "lib1/os/unix/Passwd.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "tests/support/Failure.h"

using namespace os;
using gwtest::expectSystemError;

TEST(Passwd, FindsUsersByNameAndById) {
  Passwd p;
  p.getpw("root", -1);
  EXPECT_TRUE(p.found);
  EXPECT_EQ(p.pw.pw_uid, 0u);
  p.getpw(nullptr, 1501);
  EXPECT_STREQ(p.pw.pw_name, "bob");
  EXPECT_STREQ(p.pw.pw_dir, "/home/bob");
  EXPECT_EQ(p.pw.pw_gid, 1600u);
}

TEST(Passwd, MissingAccountsSayNotFoundWithErrorZero) {
  Passwd p;
  expectSystemError([&] { p.getpw("nosuchuser", -1); }, 0,
                    "getpwnam(nosuchuser): account not found");
  EXPECT_FALSE(p.found);
  EXPECT_EQ(p.pw.pw_name, nullptr);
  expectSystemError([&] { p.getpw(nullptr, 4242); }, 0, "getpwuid(4242): account not found");
}

TEST(Passwd, GetNameFallsBackToTheDefault) {
  Passwd p;
  EXPECT_STREQ(p.getName(1500, "?"), "alice");
  EXPECT_STREQ(p.getName(4242, "nobody-here"), "nobody-here");
}

TEST(Passwd, ReusedObjectKeepsWorkingAfterAFailure) {
  Passwd p;
  EXPECT_ANY_THROW(p.getpw("nosuchuser", -1));
  p.getpw("alice", -1);
  EXPECT_TRUE(p.found);
  EXPECT_STREQ(p.pw.pw_gecos, "Alice Example");
}

TEST(Group, FindsGroupsByNameAndById) {
  Group g;
  g.getgr("shared", -1);
  ASSERT_TRUE(g.found);
  EXPECT_EQ(g.gr.gr_gid, 1601u);
  ASSERT_NE(g.gr.gr_mem[0], nullptr);
  EXPECT_STREQ(g.gr.gr_mem[0], "alice");
  EXPECT_STREQ(g.gr.gr_mem[1], "bob");
  EXPECT_EQ(g.gr.gr_mem[2], nullptr);
  g.getgr(nullptr, 1600);
  EXPECT_STREQ(g.gr.gr_name, "staff");
}

TEST(Group, MissingGroupsFailWithErrorZeroAndTheCallsName) {
  Group g;
  expectSystemError([&] { g.getgr("nosuchgroup", -1); }, 0, "getgrnam: Success (0)");
  expectSystemError([&] { g.getgr(nullptr, 4242); }, 0, "getgrgid: Success (0)");
  EXPECT_FALSE(g.found);
}

TEST(Group, BigMemberListIsFoundAfterTheBufferGrows) {
  Group g;
  g.getgr("big", -1);
  ASSERT_TRUE(g.found);
  EXPECT_GT(g.buf.length, 1024);
  int n = 0;
  while (g.gr.gr_mem[n]) n++;
  EXPECT_EQ(n, 300);
  EXPECT_STREQ(g.gr.gr_mem[299], "member299");
}

TEST(Group, MembershipByPrimaryGroupOrMemberList) {
  Passwd bob;
  bob.getpw("bob", -1);
  Group g;
  EXPECT_FALSE(Group::isMemberOf(nullptr, &bob.pw));
  g.getgr("staff", -1);  // bob's primary group lists nobody
  EXPECT_TRUE(Group::isMemberOf(&g.gr, &bob.pw));
  g.getgr("shared", -1);
  EXPECT_TRUE(Group::isMemberOf(&g.gr, &bob.pw));
  g.getgr("lonely", -1);
  EXPECT_FALSE(Group::isMemberOf(&g.gr, &bob.pw));
}

TEST(PerUserGroupList, ListsOnlyGroupsNamingTheUser) {
  Passwd alice;
  alice.getpw("alice", -1);
  std::vector<int> groups;
  PerUserGroupList::getGroupsForUser(&alice.pw, groups);
  // Her primary group (1500) does not list her, so it is not there.
  EXPECT_EQ(groups, std::vector<int>{1601});
  Passwd m;
  m.getpw("member007", -1);
  PerUserGroupList::getGroupsForUser(&m.pw, groups);
  EXPECT_EQ(groups, std::vector<int>{1602});
}

TEST(PerUserGroupList, ContainsFetchesTheListOnce) {
  Passwd bob;
  bob.getpw("bob", -1);
  PerUserGroupList list(&bob.pw);
  Group g;
  g.getgr("shared", -1);
  EXPECT_TRUE(list.contains(&g.gr));
  EXPECT_TRUE(list.loaded);
  // A list changed behind its back is not looked at again.
  list.groups.clear();
  EXPECT_FALSE(list.contains(&g.gr));
}

TEST(PerUserGroupList, UnknownUserHasNoGroups) {
  passwd ghost = {};
  char name[] = "ghost";
  ghost.pw_name = name;
  std::vector<int> groups{5, 6};
  PerUserGroupList::getGroupsForUser(&ghost, groups);
  EXPECT_TRUE(groups.empty());
}

TEST(Group, GrowthStopsAtTheLimitWithRange) {
  Group g;
  g.maxBuf = 2048;  // the big group needs more
  expectSystemError([&] { g.getgr("big", -1); }, ERANGE, "getgrnam: ");
  EXPECT_FALSE(g.found);
  g.getgr("shared", -1);
  EXPECT_TRUE(g.found);
}
