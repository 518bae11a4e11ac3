#include "lib1/io/Endpoint.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/loc/Localize.h"
#include "tests/support/Failure.h"

namespace {

const char* const kPort = "Invalid endpoint: port not correctly specified";

// The texts are checked in a stated language, never the environment's.
struct Endpoint : testing::Test {
  Endpoint() {
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en_US", 50);
  }
  ~Endpoint() override { loc::localeParam.unsetParam(50, false); }
};

TEST_F(Endpoint, ParsesHostsPortsAndDisplayNumbers) {
  // A null host: the text fails with the error.
  struct {
    const char *text, *host, *error;
    int base, port;
    bool wantsPort = true;
  } const cases[] = {
      {"", "localhost", "", 5900, 5900},
      {"host:1", "host", "", 5900, 5901},
      {"host:5901", "host", "", 5900, 5901},
      {"host::1", "host", "", 5900, 1},
      {"[fe80::1]:1", "[fe80::1]", "", 5900, 5901},
      {"host:1", "host", "", -1, 1},
      {"[fe80::1", nullptr, "Invalid endpoint: unmatched \"[\" in host", 5900, -7},
      {"[]:1", nullptr, "Invalid endpoint: empty host section", 5900, -7},
      {"[::1]x", nullptr, "Invalid endpoint", 5900, -7},
      {"host:abc", nullptr, kPort, 5900, -7},
      {"host::0", nullptr, kPort, 5900, 0},
      {"host::70000", nullptr, kPort, 5900, 70000},
      {"host", nullptr, kPort, -1, -7},
      {"host:1", nullptr, kPort, 5900, -7, false},
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
  EXPECT_EQ(gwtest::failureOf([] { io::unescapeAddress("[x"); }),
            "Ungültiger Endpunkt: „[“ ohne Gegenstück im Host");
}

}  // namespace
