#include "lib1/io/Endpoint.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/Localize.h"
#include "tests/support/Failure.h"

namespace {

const char* const kPort = "Invalid endpoint: port not correctly specified";
const char* const kBracket = "Invalid endpoint: unmatched \"[\" in host";

// The texts are checked in a stated language, never the environment's.
class Endpoint : public ::testing::Test {
 protected:
  void SetUp() override {
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en_US", 50);
  }
  void TearDown() override { loc::localeParam.unsetParam(50, false); }
};

TEST_F(Endpoint, ParsesHostsPortsAndDisplayNumbers) {
  struct {
    const char* text;
    int base;
    bool wantsPort;
    const char *host, *error;  // a null host: the error
    int port;
  } const cases[] = {
      {"host", 5900, true, "host", "", 5900},
      {"", 5900, true, "localhost", "", 5900},
      {"host:1", 5900, true, "host", "", 5901},
      {"host:5901", 5900, true, "host", "", 5901},
      {"host::1", 5900, true, "host", "", 1},
      {"host:0", 5900, true, "host", "", 5900},
      {":2", 5900, true, "localhost", "", 5902},
      {"::1", 5900, true, "localhost", "", 1},
      {"[fe80::1]:1", 5900, true, "[fe80::1]", "", 5901},
      {"host:1", -1, true, "host", "", 1},
      {"[fe80::1", 5900, true, nullptr, kBracket, -7},
      {"[]:1", 5900, true, nullptr, "Invalid endpoint: empty host section", -7},
      {"[::1]x", 5900, true, nullptr, "Invalid endpoint", -7},
      {"a]b:1", 5900, true, nullptr, "Invalid endpoint", 5901},
      {"host:abc", 5900, true, nullptr, kPort, -7},
      {"host::0", 5900, true, nullptr, kPort, 0},
      {"host::70000", 5900, true, nullptr, kPort, 70000},
      {"host", -1, true, nullptr, kPort, -7},
      {"host:1", 5900, false, nullptr, kPort, -7},
  };
  for (const auto& c : cases) {
    char* host = new char[4]{"old"};
    int port = -7;
    std::string error = gwtest::failureOf(
        [&] { io::parseEndpoint(c.text, &host, c.wantsPort ? &port : nullptr, c.base, 100); });
    EXPECT_EQ(error, c.host ? "(none)" : c.error) << c.text;
    EXPECT_STREQ(host, c.host);
    EXPECT_EQ(port, c.port);
    delete[] host;
  }
}

TEST_F(Endpoint, ComposesAndEscapesFixedForms) {
  // A negative base port never reads a display number back.
  EXPECT_STREQ(io::composeEndpoint("h", 5, -10, 100).get(), "h::5");
  EXPECT_EQ(gwtest::failureOf([] { io::unescapeAddress("["); }), kBracket);
}

TEST_F(Endpoint, HostFragmentsEscapeSeparatorsAndRejectBadEscapes) {
  EXPECT_STREQ(io::composeHostFragment("a b:c/d%[\x7f\xc3\xa9").get(),
               "a b%3Ac%2Fd%25%5B%7F\xc3\xa9");
  EXPECT_STREQ(io::parseHostFragment("a+b%3a%2F", true).get(), "a b:/");
  EXPECT_STREQ(io::parseHostFragment("a+b", false).get(), "a+b");
  for (const char* bad : {"%4", "%zz", "%4g", "evil%00.example"})
    EXPECT_EQ(gwtest::failureOf([&] { io::parseHostFragment(bad, false); }),
              "Invalid endpoint: incorrect % escape")
        << bad;
}

TEST_F(Endpoint, ErrorsSpeakTheUsersLanguage) {
  loc::localeParam.setParam("de_DE", 50);
  std::string got = "(none)";
  try {
    io::unescapeAddress("[x");
  } catch (const plat::Exception& e) {
    got = std::string(e.type.get()) + ": " + e.str();
  }
  EXPECT_EQ(got, "EndpointInvalid: Ungültiger Endpunkt: „[“ ohne Gegenstück im Host");
}

}  // namespace
