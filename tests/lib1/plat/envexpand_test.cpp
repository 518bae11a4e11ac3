#include "lib1/plat/EnvExpand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>

#include "lib1/plat/Exception.h"

namespace {

// The expansion, or "!" and the message of the exception.
std::string expand(const char* text, bool strict = false,
                   const std::map<plat::String, plat::String>* vars = nullptr) {
  setenv("HOME", "/h", 1);
  setenv("1X", "digit", 1);
  unsetenv("GW_UNSET");
  try {
    return plat::EnvExpand(text, vars, strict).get();
  } catch (const plat::Exception& e) {
    return std::string("!") + e.str();
  }
}

TEST(EnvExpand, Expansion) {
  EXPECT_EQ(expand("$HOME/x ${HOME}/x"), "/h/x /h/x");
  EXPECT_EQ(expand("${HOME"), "/h");  // an unclosed brace runs to the end
  EXPECT_EQ(expand("$1X-"), "digit-");
  EXPECT_EQ(expand("$$ $$HOME ${} a$/b a$"), "$ $HOME $ a/b a");
  EXPECT_EQ(expand("x$GW_UNSET/y${GW_UNSET}"), "x/y");
  EXPECT_EQ(expand(nullptr), "");
  std::map<plat::String, plat::String> vars{{"HOME", "/mine"}, {"NUL", {}}};
  EXPECT_EQ(expand("$HOME:${NUL}:$1X", true, &vars), "/mine::digit");
  EXPECT_EQ(expand("a/$GW_UNSET/b", true), "!unknown environment variable: GW_UNSET");
  EXPECT_EQ(expand("${GW UNSET}", true), "!unknown environment variable: GW UNSET");
  EXPECT_EQ(expand("$$ $/ ${} $", true), "$ / $ ");
}

}  // namespace
