#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "lib1/loc/Localize.h"
#include "lib1/plat/Configuration.h"
#include "libs/svr/SecurityPrincipalStore.h"
#include "tests/support/Failure.h"
#include "tests/support/FakeResolver.h"

namespace {

using svr::Permissions;
using svr::SecurityPrincipal;

class PrincipalStore : public ::testing::Test {
 protected:
  std::string roundTrip(const char* value, bool dropInvalid = false) {
    param.setParam(value, 50);
    store.load(param, dropInvalid);
    store.save(&param, 50);
    return param.getValue();
  }
  plat::Configuration conf{"Test"};
  plat::StringParameter param{"Permissions", "", "", false, &conf};
  gwtest::FakeResolver resolver;
  svr::SecurityPrincipalStore store;
};

TEST_F(PrincipalStore, LoadsInOrderAndSavesCompactly) {
  loc::Localize::inst()->init({});
  loc::localeParam.setParam("en_US", 50);
  const char* const rows[][2] = {
      {"", ""},
      {",,%staff:v,,bob:d,", "bob:d,%staff:v"},
      {"carol,Bob,alice", "alice:,Bob:,carol:"},
      {"*:s,alice:v", "alice:v,*:s"},  // "*" sorts as "All users"
      {"%bob:s,bob:k,%%x:", "bob:k,%%x:,%bob:s"},
      {"bob:sk,bob:d", "bob:sk,bob:d"}};  // texts kept; equal names keep their order
  for (auto [value, saved] : rows) EXPECT_EQ(roundTrip(value), saved) << value;
}

TEST_F(PrincipalStore, BadItemLeavesStoreAndParameterAsTheyWere) {
  // dropInvalid leaves out only names that could not be saved back.
  const std::tuple<const char*, bool, const char*> rows[] = {
      {"alice:v,carol:Sk", true, "invalid permissions string"},
      {"alice:v,%bob:Q", false, "invalid permissions string"}};
  roundTrip("bob:d");
  for (auto [value, dropInvalid, failure] : rows) {
    param.setParam(value, 0);
    EXPECT_EQ(gwtest::failureOf([&] { store.load(param, dropInvalid); }), failure);
    ASSERT_EQ(store.size(), 1);
    EXPECT_STREQ(store.get(0)->getId(), "bob");
    EXPECT_STREQ(param.getValue(), value);
  }
  param.unsetParam(0, false);
  EXPECT_EQ(roundTrip(":s,alice:v,%:d", true), ":s,alice:v,%:d");
}

TEST_F(PrincipalStore, ServerOwnerAndEmptyGroupAreKept) {
  const char* const rows[][2] = {
      {":d,alice:v", ":d,alice:v"}, {"%:v,bob:s,%", "bob:s,%:v,%:"}, {"alice:v,:", ":,alice:v"}};
  for (auto [value, saved] : rows) EXPECT_EQ(roundTrip(value), saved) << value;
  EXPECT_EQ(store.findById("", false), 0);
  EXPECT_EQ(store.add(new SecurityPrincipal("", Permissions("v"), true, nullptr)), 2);
  EXPECT_NO_THROW(store.validate(":d,%:v"));
  EXPECT_EQ(gwtest::failureOf([] { svr::SecurityPrincipalStore::validate("a,b\xff:d"); }),
            "invalid principal \"b\xff:d\"");
}

TEST_F(PrincipalStore, AddRefusesAPrincipalWhoseItemWasRefused) {
  roundTrip("bob:d");
  auto* p = new SecurityPrincipal;
  EXPECT_FALSE(p->read("x,%admins:f"));
  EXPECT_EQ(gwtest::failureOf([&] { store.add(p); }), "invalid user name \"\"");
  store.save(&param, 50);
  EXPECT_STREQ(param.getValue(), "bob:d");
}

TEST_F(PrincipalStore, AddsSortedAndFindsByKind) {
  roundTrip("%bob:s,alice:v,carol:d");
  EXPECT_EQ(store.add(new SecurityPrincipal("Bob", Permissions(), false, nullptr)), 1);
  EXPECT_EQ(store.add(new SecurityPrincipal("alice", Permissions(), false, nullptr)), 1);
  EXPECT_EQ(store.add(new SecurityPrincipal("a", Permissions(), true, nullptr)), 4);
  EXPECT_EQ(store.findById("bob", true), 5);
  EXPECT_EQ(store.findById("bob", false), -1);
}

TEST_F(PrincipalStore, LoadingAsksTheResolverOncePerPrincipal) {
  resolver.answer = gwtest::FakeResolver::Null;
  std::string value;
  for (int i = 0; i < 200; i++) value += "u" + std::to_string(i * 7919 % 200) + ":s,";
  param.setParam(value.c_str(), 50);
  store.load(param, false);
  EXPECT_EQ(resolver.calls, 200);
}

TEST_F(PrincipalStore, PolicyFlagFollowsThePriorityOfTheValue) {
  roundTrip("bob:d");
  EXPECT_FALSE(store.isPolicy());
  param.setParam("bob:v", 0);
  store.load(param, false);
  EXPECT_TRUE(store.isPolicy());
}

using PrincipalStoreDeathTest = PrincipalStore;

TEST_F(PrincipalStoreDeathTest, BadIndexOrParameterIsAFault) {
  EXPECT_DEATH(store.get(0), "Assertion .index >= 0");
  EXPECT_DEATH(store.remove(-1), "Assertion .index >= 0");
  EXPECT_DEATH(store.save(nullptr, 50), "Assertion 'param' failed");
}

}  // namespace
