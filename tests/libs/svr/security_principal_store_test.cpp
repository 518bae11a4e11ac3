#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/Localize.h"
#include "lib1/plat/Configuration.h"
#include "libs/svr/PermissionsParam.h"
#include "libs/svr/SecurityPrincipalStore.h"
#include "tests/support/Failure.h"
#include "tests/support/FakeResolver.h"

namespace {

using gwtest::FakeResolver;
using svr::Permissions;
using svr::SecurityPrincipal;
using svr::SecurityPrincipalStore;

class PrincipalStore : public ::testing::Test {
 protected:
  void SetUp() override {
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en_US", 50);
  }
  void TearDown() override { loc::localeParam.unsetParam(50, false); }

  std::string roundTrip(const char* value) {
    param.setParam(value, 50);
    store.load(param, false);
    store.save(&param, 50);
    return param.getValue();
  }

  plat::Configuration conf{"Test"};
  plat::StringParameter param{"Permissions", "", "", false, &conf};
  FakeResolver resolver;
  SecurityPrincipalStore store;
};

TEST_F(PrincipalStore, LoadsInOrderAndSavesCompactly) {
  const struct {
    const char *value, *saved;
  } rows[] = {
      {"", ""},
      {",,%staff:v,,bob:d,", "bob:d,%staff:v"},
      {"carol,Bob,alice", "alice:,Bob:,carol:"},
      {"*:s,alice:v", "alice:v,*:s"},  // "*" sorts as "All users"
      {"%bob:s,bob:k", "bob:k,%bob:s"},
      {"bob:sk,bob:d", "bob:sk,bob:d"},  // equal names keep their order
  };
  for (const auto& r : rows) EXPECT_EQ(roundTrip(r.value), r.saved) << r.value;
}

TEST_F(PrincipalStore, BadItemLeavesStoreAndParameterAsTheyWere) {
  roundTrip("bob:d");
  param.setParam("alice:v,carol:Sk", 0);
  EXPECT_EQ(gwtest::failureOf([&] { store.load(param, true); }), "invalid permissions string");
  ASSERT_EQ(store.size(), 1);
  EXPECT_STREQ(store.get(0)->getId(), "bob");
  EXPECT_FALSE(store.isPolicy());
  EXPECT_STREQ(param.getValue(), "alice:v,carol:Sk");
}

TEST_F(PrincipalStore, AddsSortedAndFindsByKind) {
  roundTrip("%bob:s,alice:v,carol:d");
  EXPECT_EQ(store.add(new SecurityPrincipal("Bob", Permissions(), false, nullptr)), 1);
  EXPECT_EQ(store.add(new SecurityPrincipal("alice", Permissions(), false, nullptr)), 1);
  EXPECT_EQ(store.add(new SecurityPrincipal("a", Permissions(), true, nullptr)), 4);
  EXPECT_EQ(store.findById("bob", true), 5);
  EXPECT_EQ(store.findById("bob", false), -1);
  store.remove(0);
  EXPECT_EQ(store.findById("Bob", false), 1);
}

TEST_F(PrincipalStore, LoadingAsksTheResolverOncePerPrincipal) {
  resolver.answer = FakeResolver::Null;
  std::string value;
  for (int i = 0; i < 200; i++) value += "u" + std::to_string(i * 7919 % 200) + ":s,";
  param.setParam(value.c_str(), 0);
  store.load(param, false);
  EXPECT_EQ(resolver.calls, 200);
  EXPECT_TRUE(store.isPolicy());
}

TEST_F(PrincipalStore, GlobalParameterStartsEmpty) {
  EXPECT_STREQ(plat::Configuration::global()->getOrThrow("permissions")->name, "Permissions");
  EXPECT_STREQ(svr::permissionsParam.getValue(), "");
}

using PrincipalStoreDeathTest = PrincipalStore;

TEST_F(PrincipalStoreDeathTest, BadIndexOrParameterIsAFault) {
  EXPECT_DEATH(store.get(0), "Assertion .index >= 0");
  EXPECT_DEATH(store.remove(-1), "Assertion .index >= 0");
  EXPECT_DEATH(store.save(nullptr, 50), "Assertion 'param' failed");
}

}  // namespace
