#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "libs/svr/SAuthentication.h"
#include "libs/svr/SecurityTypes.h"
#include "tests/support/Text.h"

TEST(SecurityTypes, DerivedFromEncryptionAndAuthentication) {
  struct Case {
    const char *secTypes, *encryption, *auth;
    fb::SecNums expected;
  } cases[] = {
      {"<auto>", "AlwaysOff", "ZemAuth", {6, 130, 2}},
      {"<auto>", "PreferOn", "None", {13, 133, 5, 129, 6, 130, 1}},
      {"<AUTO>", "alwaysmaximum", "SingleSignOn", {134, 131}},
      {"<auto>", "PreferOff", "SystemAuth,GssApi", {6, 130, 13, 133, 5, 129}},
      {"<auto>", "AlwaysOn", ",,GssApi,a+b,RsaKey,", {}},
      {"<auto>", "Sometimes", "None", {}},
      {"RA2r,Ticket", "AlwaysOff", "None", {13, 133, 9}},
  };
  for (Case& c : cases) {
    fb::SecNums out{99};
    svr::getSecTypes(c.secTypes, c.encryption, c.auth, &out);
    c.expected.insert(c.expected.begin(), 99);  // appended, never replaced
    EXPECT_EQ(out, c.expected) << c.encryption << " " << c.auth;
  }
}

TEST(SecurityTypes, AuthenticationListGivesMethodsOnceAndPasswordSchemes) {
  // The methods, then the schemes and whether "None" was named.
  const std::tuple<const char*, fb::SecNums, const char*> cases[] = {
      {"SystemAuth,ZemAuth,UserPasswd,SingleSignOn", {1, 4}, "SystemAuth,ZemAuth 0"},
      {"None", {1}, "None 1"},
      {",gssapi,,NONE,", {4, 1}, "NONE 1"},
      {"", {}, " 0"}};
  for (const auto& [auth, methods, schemes] : cases) {
    fb::SecNums gotMethods;
    std::vector<plat::String> gotSchemes;
    bool hasNone = true;
    svr::parseAuthStr(auth, &gotMethods, &hasNone, &gotSchemes);
    EXPECT_EQ(gotMethods, methods) << auth;
    EXPECT_EQ(gwtest::joined(gotSchemes) + " " + std::to_string(hasNone), schemes) << auth;
  }
}

TEST(SecurityTypes, SchemeNamesAreWholeTexts) {
  EXPECT_EQ(svr::getSAuthentication("SingleSignOn"), svr::SAuthInvalid);
  EXPECT_EQ(svr::getSAuthentication("singlesignon,SYSTEMAUTH"), svr::SAuthSingleSignOn);
  EXPECT_EQ(svr::getSEncryption("always off"), svr::SEncInvalid);
}
