#include "lib1/plat/Assert.h"

#include <gtest/gtest.h>

#include <csignal>

#include "tests/support/CaptureLogger.h"

using namespace gwtest;

using plat::AssertionFail;

namespace {

plat::LogWriter* assertionLog() { return plat::LogWriter::getLogWriter("Assertion"); }

}  // namespace

TEST(AssertDeathTest, FatalPrintsExactlyAndAborts) {
  EXPECT_EXIT(plat::assertFatal_(AssertionFail("p != 0", "lib1/plat/a", 12).fmt("%d", 5)),
              testing::KilledBySignal(SIGABRT),
              "^Assertion 'p != 0' failed at lib1/plat/a:12: 5\n$");
  // The macro names the call site by its path from the repository root.
  EXPECT_DEATH(PLAT_ASSERT_MSG(1 + 1 == 3, "%s", "why"),
               "^Assertion '1 \\+ 1 == 3' failed at tests/lib1/plat/assert_test.cpp:[0-9]+: "
               "why\n$");
  CaptureLogger throwing("capture", true);
  RouteWriter route(assertionLog(), &throwing, 0);
  EXPECT_EXIT(plat::assertFatal_(AssertionFail("x", "f", 1)), testing::KilledBySignal(SIGABRT),
              "^Assertion 'x' failed at f:1\n$");
}

TEST(Assert, WarnLogsAndWritesNothingToStderr) {
  CaptureLogger keep;
  {
    RouteWriter route(assertionLog(), &keep, 0);
    testing::internal::CaptureStderr();
    PLAT_ASSERT_WARN(2 < 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  }
  ASSERT_EQ(keep.lines.size(), 1u);
  EXPECT_EQ(keep.lines[0].text.substr(0, 29), "Warning: Assertion '2 < 1' fa");
  keep.throws = true;
  RouteWriter route(assertionLog(), &keep, 0);
  plat::assertWarn_(AssertionFail("w", "f", 2));  // swallows the log's exception
}
