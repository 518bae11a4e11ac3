#include "libs/score/Mode.h"

#include <gtest/gtest.h>

#include "tests/support/Failure.h"

TEST(Mode, NamesCompareWithoutCaseAndAnUnknownNameThrows) {
  EXPECT_EQ(score::modeFromName("ViRtUaL"), score::ModeVirtual);
  EXPECT_EQ(gwtest::failureOf([] { score::modeFromName("users"); }), "Bad mode name");
}
