#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/Localize.h"
#include "libs/svr/SecurityPrincipal.h"
#include "tests/support/Failure.h"
#include "tests/support/FakeResolver.h"

namespace {

using gwtest::FakeResolver;
using svr::Permissions;
using svr::SecurityPrincipal;

std::string written(const char* item) {
  SecurityPrincipal p;
  EXPECT_TRUE(p.read(item)) << item;
  plat::DString out;
  p.write(out);
  return out.get();
}

TEST(SecurityPrincipal, ItemsReadBackAsWritten) {
  const struct {
    const char *item, *text;
  } rows[] = {
      {"bob:d", "bob:d"},   {"%staff:v", "%staff:v"}, {"bob", "bob:"},
      {"bob:sk", "bob:sk"}, {"%%x:s", "%%x:s"},       {":", ":"},
  };
  for (const auto& r : rows) EXPECT_EQ(written(r.item), r.text);
}

TEST(SecurityPrincipal, BadItemChangesNothing) {
  SecurityPrincipal p;
  p.read("%staff:v");
  for (const char* item : {"bob:Sk", "%bob:s:k", "x:s k"})
    EXPECT_EQ(gwtest::failureOf([&] { p.read(item); }), "invalid permissions string") << item;
  EXPECT_TRUE(p.isGroup());
  EXPECT_STREQ(p.getId(), "staff");
  EXPECT_STREQ(p.getPermissions().getString(), "v");
}

TEST(SecurityPrincipal, RefusesIdsThatWouldReadBackAsOthers) {
  const struct {
    const char* id;
    bool group;
    const char* failure;
  } rows[] = {
      {"bob,%wheel", false, "invalid user name \"bob,%wheel\""},
      {"a:b", true, "invalid group name \"a:b\""},
      {"%x", false, "invalid user name \"%x\""},
      {"%x", true, "(none)"},
      {"", false, "(none)"},
  };
  for (const auto& r : rows)
    EXPECT_EQ(
        gwtest::failureOf([&] { SecurityPrincipal(r.id, Permissions("d"), r.group, nullptr); }),
        r.failure);
}

TEST(SecurityPrincipal, DisplayNameFallsBackAndAsksOnlyUntilAnswered) {
  const struct {
    FakeResolver::Answer answer;
    long callsForTwo;
  } rows[] = {{FakeResolver::Id, 1},
              {FakeResolver::Null, 2},
              {FakeResolver::Empty, 1},
              {FakeResolver::Throw, 2}};
  for (const auto& r : rows) {
    FakeResolver resolver(r.answer);
    SecurityPrincipal p("bob", Permissions(), false, nullptr);
    EXPECT_STREQ(p.getDisplayName().get(), "bob");
    EXPECT_STREQ(p.getDisplayName().get(), "bob");
    EXPECT_EQ(resolver.calls, r.callsForTwo) << r.answer;
  }
  EXPECT_EQ(SecurityPrincipal::resolver, nullptr);
}

TEST(SecurityPrincipal, AllUsersHasItsOwnNameInTheUsersLanguage) {
  loc::Localize::inst()->init({});
  loc::localeParam.setParam("es_ES", 50);
  FakeResolver resolver;
  SecurityPrincipal p("*", Permissions(), false, nullptr);
  EXPECT_STREQ(p.getDisplayName().get(), "Todos los usuarios");
  EXPECT_EQ(resolver.calls, 0);
  loc::localeParam.unsetParam(50, false);
}

TEST(SecurityPrincipalDeathTest, PrincipalWithoutIdIsAFault) {
  EXPECT_DEATH(SecurityPrincipal().checkId(), "Assertion 'id' failed");
}

}  // namespace
