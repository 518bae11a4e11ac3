#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/DString.h"
#include "libs/svr/SecurityPrincipal.h"
#include "tests/support/Failure.h"
#include "tests/support/FakeResolver.h"

using gwtest::FakeResolver;
using svr::Permissions;
using svr::SecurityPrincipal;

TEST(SecurityPrincipal, BadItemChangesNothing) {
  // Items and how they fail: a bad permissions text throws, a name that would
  // not read back as written is refused.
  const char* const rows[][2] = {{"bob:Sk", "invalid permissions string"},
                                 {"%bob:s:k", "invalid permissions string"},
                                 {"x:s k", "invalid permissions string"},
                                 {"x,%admins:f", "refused"},
                                 {"%a,b:f", "refused"},
                                 {"%\xc0:", "refused"},
                                 {"b\xff:s", "refused"}};
  SecurityPrincipal p;
  p.read("%staff:v");
  for (auto [item, failure] : rows) {
    bool read = false;
    std::string got = gwtest::failureOf([&] { read = p.read(item); });
    EXPECT_EQ(got == "(none)" && !read ? "refused" : got, failure) << item;
    plat::DString out;
    p.write(out);
    EXPECT_STREQ(out.get(), "%staff:v") << item;
  }
}

TEST(SecurityPrincipal, RefusesIdsThatWouldReadBackAsOthers) {
  auto make = [](const char* id, bool group) {
    return gwtest::failureOf([&] { SecurityPrincipal(id, Permissions(), group, nullptr); });
  };
  EXPECT_EQ(make("bob,%wheel", false), "invalid user name \"bob,%wheel\"");
  EXPECT_EQ(make("a:b", true), "invalid group name \"a:b\"");
  EXPECT_EQ(make("%x", false), "invalid user name \"%x\"");
  EXPECT_EQ(make("", true), "(none)");
  EXPECT_EQ(make("%x", true), "(none)");
}

TEST(SecurityPrincipal, EmptyIdsReadBackAsWritten) {
  // A user without a name is the server's owner; an empty group is kept too,
  // rather than lost with everything else in the list.
  const char* const rows[][2] = {{":d", ":d"}, {"%:v", "%:v"}, {"%", "%:"}, {":", ":"}};
  for (auto [item, written] : rows) {
    SecurityPrincipal p;
    ASSERT_TRUE(p.read(item)) << item;
    EXPECT_STREQ(p.getId(), "") << item;
    plat::DString out;
    p.write(out);
    EXPECT_STREQ(out.get(), written) << item;
  }
}

TEST(SecurityPrincipal, DisplayNameFallsBackAndAsksOnlyUntilAnswered) {
  const long callsForTwo[] = {1, 2, 1, 2};  // Id, Null, Empty, Throw
  for (int answer = 0; answer < 4; answer++) {
    FakeResolver resolver{FakeResolver::Answer(answer)};
    SecurityPrincipal p("bob", Permissions(), false, nullptr);
    EXPECT_EQ(std::string(p.getDisplayName().get()) + p.getDisplayName().get(), "bobbob");
    EXPECT_EQ(resolver.calls, callsForTwo[answer]) << answer;
  }
  EXPECT_EQ(SecurityPrincipal::resolver, nullptr);
}

TEST(SecurityPrincipal, SetEditedInPlaceIsWhatIsWritten) {
  SecurityPrincipal p;
  p.read("bob:v");
  Permissions& perms = p.getPermissions();
  perms.parse("d!q");
  plat::DString out;
  p.write(out);
  EXPECT_STREQ(out.get(), "bob:d!q");
}
