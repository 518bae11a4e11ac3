#include "lib2/gfxutil/Usage.h"

#include <gtest/gtest.h>

TEST(UsageDeathTest, EveryKindEndsTheProcessWithStatus1) {
  plat::Configuration config("t");
  for (auto type : {plat::Configuration::UsageBasic, plat::Configuration::UsageXml})
    EXPECT_EXIT(gfxutil::defaultUsage(type, &config), testing::ExitedWithCode(1), "");
}
