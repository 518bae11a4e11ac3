// The fuzz target checks expansion against a plain model, never with a null text.
#include "lib1/plat/EnvExpand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/Failure.h"

namespace {

std::string strict(const char* text) {
  unsetenv("GW_UNSET");
  return gwtest::failureOf([&] { plat::EnvExpand(text, nullptr, true); });
}

TEST(EnvExpand, StrictModeNamesTheUnsetVariable) {
  EXPECT_EQ(strict("a/$GW_UNSET/b"), "unknown environment variable: GW_UNSET");
  EXPECT_EQ(strict("${GW UNSET}"), "unknown environment variable: GW UNSET");
  EXPECT_EQ(strict("$$ $/ ${} $"), "(none)");  // no name at all is no error
}

TEST(EnvExpand, ANullTextIsEmpty) { EXPECT_STREQ(plat::EnvExpand(nullptr).get(), ""); }

}  // namespace
