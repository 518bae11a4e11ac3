#include "lib1/plat/EnvExpand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "tests/support/Failure.h"

namespace {

using Vars = std::map<plat::String, plat::String>;

struct EnvExpand : testing::Test {
  EnvExpand() {
    setenv("HOME", "/h", 1);
    setenv("1X", "digit", 1);
    unsetenv("GW_UNSET");
  }
  static std::string expand(const char* text, bool strict = false, const Vars* vars = nullptr) {
    return plat::EnvExpand(text, vars, strict).get();
  }
};

TEST_F(EnvExpand, ReplacesNamesFromTheEnvironment) {
  const std::pair<const char*, const char*> cases[] = {
      {"$HOME/x ${HOME}/x", "/h/x /h/x"},
      {"${HOME", "/h"},  // an unclosed brace runs to the end
      {"$1X-", "digit-"},
      {"$$ $$HOME ${} a$/b a$", "$ $HOME $ a/b a"},
      {"x$GW_UNSET/y${GW_UNSET}", "x/y"}};
  for (auto [in, out] : cases) EXPECT_EQ(expand(in), out) << in;
  EXPECT_EQ(expand(nullptr), "");
}

TEST_F(EnvExpand, GivenVariablesComeFirst) {
  Vars vars{{"HOME", "/mine"}, {"NUL", {}}};
  EXPECT_EQ(expand("$HOME:${NUL}:$1X", true, &vars), "/mine::digit");
}

TEST_F(EnvExpand, StrictModeThrowsOnAnUnsetName) {
  auto strict = [](const char* text) { return gwtest::failureOf([&] { expand(text, true); }); };
  EXPECT_EQ(strict("a/$GW_UNSET/b"), "unknown environment variable: GW_UNSET");
  EXPECT_EQ(strict("${GW UNSET}"), "unknown environment variable: GW UNSET");
  EXPECT_EQ(expand("$$ $/ ${} $", true), "$ / $ ");  // no name at all is no error
}

}  // namespace
