#include "lib1/plat/LogParam.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/Configuration.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Text.h"

using namespace gwtest;
using namespace plat;

namespace {

struct LogRouting : testing::Test {
  CaptureLogger cap{"capture"};
  LogWriter timers{"TimerManager"}, files{"FilePtr"};

  ~LogRouting() override { logParam.unsetParam(50, true); }

  // Sets `Log` as the command line does; what went to standard error meanwhile.
  std::string setLog(const char* value) {
    return stderrOf([&] { EXPECT_TRUE(Configuration::global()->set("log", value, 50)); });
  }
  static bool silent(const LogWriter& w) { return !w.logger && w.level == 0; }
};

}  // namespace

TEST_F(LogRouting, LaterElementsOverrideEarlierOnesAndEveryChangeRecomputes) {
  setLog("TimerManager:capture:100,*:capture:10");
  EXPECT_EQ(timers.level, 10);
  setLog("t*R:capture:5,:capture:7");  // letter case ignored; an empty pattern matches nothing
  EXPECT_EQ(timers.level, 5);
  EXPECT_TRUE(silent(files));

  // A change at any priority recomputes every source from the value in force.
  timers.setLoggerAndLevel(nullptr, 0);
  logParam.setParam("*:capture:2", 100);  // masked by the value at 50
  EXPECT_EQ(timers.level, 5);
  logParam.unsetParam(50, true);
  EXPECT_EQ(timers.level, 2);
  logParam.setParam("", 100);
  EXPECT_TRUE(silent(timers));
}

TEST_F(LogRouting, BadElementsAreReportedOnStandardError) {
  // A malformed element changes nothing, so the "*::0" before it holds.
  for (const char* bad : {"*:capture", "*:capture:-1", "*:capture:5x", "*", "*:capture:"}) {
    setLog("*:capture:50");
    EXPECT_EQ(setLog(bad), std::string("Failed to parse log param element: '") + bad + "'\n");
    EXPECT_TRUE(silent(timers)) << bad;
  }
  // An unknown destination silences what the element matches.
  EXPECT_EQ(setLog("*:nowhere:30"), "No logger found: 'nowhere'\n");
  EXPECT_TRUE(!timers.logger && timers.level == 30);
  EXPECT_EQ(setLog("*::30"), "");  // no destination named: no message
  // The good elements around a bad one apply; spaces and a sign are read as strtol does.
  EXPECT_EQ(setLog("FilePtr:capture: +020,bogus,TimerManager:capture:3"),
            "Failed to parse log param element: 'bogus'\n");
  EXPECT_EQ(files.level, 20);
  EXPECT_EQ(timers.level, 3);
}

TEST_F(LogRouting, BadValuesReachTheTerminalEscaped) {
  EXPECT_EQ(setLog("*:c\x1b[2J:x"), "Failed to parse log param element: '*:c~^[[2J:x'\n");
  EXPECT_EQ(setLog("*:\a~:1"), "No logger found: '~^G~~'\n");
}

TEST_F(LogRouting, LongBadValuesAreShortened) {
  std::string huge = "*:capture:" + std::string(5 << 20, '9');
  EXPECT_EQ(setLog(huge.c_str()),
            "Failed to parse log param element: '*:capture:" + std::string(190, '9') + "...'\n");
  // Cut before a character that does not fit whole.
  std::string wide = "*:" + std::string(199, 'n') + "\xc3\xa9:1";
  EXPECT_EQ(setLog(wide.c_str()), "No logger found: '" + std::string(199, 'n') + "...'\n");
}
