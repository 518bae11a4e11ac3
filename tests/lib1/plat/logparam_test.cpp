#include "lib1/plat/LogParam.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "CaptureLogger.h"

using namespace plat;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

namespace {

struct LogRouting : testing::Test {
  CaptureLogger cap{"capture"};
  LogWriter timers{"TimerManager"};
  LogWriter files{"FilePtr"};

  ~LogRouting() override { logParam.unsetParam(50, true); }

  // Sets `Log` and returns what was written to standard error meanwhile.
  std::string setLog(const char* value) {
    CaptureStderr();
    logParam.setParam(value, 50);
    return GetCapturedStderr();
  }
  static bool silent(const LogWriter& w) { return !w.logger && w.level == 0; }
};

}  // namespace

TEST_F(LogRouting, ErrorsPassAtLevel10AndInfoDoesNot) {
  EXPECT_EQ(setLog("*:CAPTURE:10"), "");
  timers.error("bad %d", 1);
  timers.info("fine");
  files.write(10, "ten");
  files.write(11, "eleven");
  ASSERT_EQ(cap.lines.size(), 2u);
  EXPECT_EQ(cap.lines[0].log, "TimerManager");
  EXPECT_EQ(cap.lines[0].text, "bad 1");
  EXPECT_EQ(cap.lines[1].level, 10);
  EXPECT_EQ(cap.lines[1].text, "ten");
}

TEST_F(LogRouting, LaterElementsOverrideEarlierOnes) {
  setLog("*:capture:10,TimerManager:capture:100");
  EXPECT_EQ(timers.level, 100);
  EXPECT_EQ(files.level, 10);
  setLog("TimerManager:capture:100,*:capture:10");
  EXPECT_EQ(timers.level, 10);
  setLog("config*:capture:30");  // case-insensitive match
  EXPECT_EQ(LogWriter::getLogWriter("ConfigParameter")->level, 30);
  EXPECT_EQ(LogWriter::getLogWriter("Configuration")->level, 30);
  EXPECT_TRUE(silent(timers));         // matched by no element
  setLog("T*r:capture:5,:capture:7");  // an empty pattern matches nothing
  EXPECT_EQ(timers.level, 5);
  EXPECT_TRUE(silent(files));
}

TEST_F(LogRouting, UnknownDestinationSilencesTheMatchingSources) {
  setLog("*:capture:50");
  EXPECT_EQ(setLog("*:nowhere:30"), "No logger found: 'nowhere'\n");
  EXPECT_TRUE(!timers.logger && timers.level == 30);
  timers.error("lost");
  EXPECT_TRUE(cap.lines.empty());
  EXPECT_EQ(setLog("*::30"), "");  // no destination named: no message
  EXPECT_EQ(files.logger, nullptr);
}

TEST_F(LogRouting, MalformedElementsAreReportedAndLeaveEverythingSilent) {
  for (const char* bad : {"*:capture", "*:capture:-1", "*:capture:ten", "*:capture:5x", "*",
                          "*:capture:", "*:nowhere:x"}) {
    setLog("*:capture:50");
    EXPECT_EQ(setLog(bad), std::string("Failed to parse log param element: '") + bad + "'\n");
    EXPECT_TRUE(silent(timers)) << bad;
  }
  // The good elements around a bad one still apply; spaces and a sign are
  // read as strtol reads them.
  EXPECT_EQ(setLog("FilePtr:capture: +20,bogus,TimerManager:capture:3"),
            "Failed to parse log param element: 'bogus'\n");
  EXPECT_EQ(files.level, 20);
  EXPECT_EQ(timers.level, 3);
}

TEST_F(LogRouting, EmptyValuesSilenceEverythingQuietly) {
  for (const char* v : {"", ",,", "*:capture:50,", ",*:capture:50,,"}) {
    setLog("*:capture:99");
    EXPECT_EQ(setLog(v), "") << v;
  }
  EXPECT_EQ(timers.logger, &cap);  // the last one routes again
  setLog("");
  for (LogWriter* w = LogWriter::head; w; w = w->next) EXPECT_TRUE(silent(*w)) << w->name;
}

TEST_F(LogRouting, EveryChangeAtAnyPriorityRecomputes) {
  setLog("*:capture:50");
  logParam.setParam("*:capture:1", 100);  // masked, but re-applied all the same
  EXPECT_EQ(timers.level, 50);
  timers.setLoggerAndLevel(nullptr, 0);
  logParam.setParam("*:capture:2", 100);
  EXPECT_EQ(timers.level, 50);
  logParam.unsetParam(50, true);
  EXPECT_EQ(timers.level, 2);
  logParam.setParam("", 100);
  EXPECT_TRUE(silent(timers));
}

TEST_F(LogRouting, MessagesAreOneLineEscapedAndCut) {
  setLog("TimerManager:capture:110");
  files.error("%s", "silent source");
  EXPECT_TRUE(cap.lines.empty());
  timers.debugplus("a\nb~c\x7f\xff");
  EXPECT_EQ(cap.lines.back().text, "a~^Jb~~c~^?~M^?");
  std::string big(5000, 'x');
  timers.info("%s", big.c_str());
  EXPECT_EQ(cap.lines.back().text, big.substr(0, 4095));
}

TEST(LogListing, WritersWrapWithinTheWidthAndLoggersOnePerLine) {
  LogWriter longName("AVeryLongLogWriterNameForWraps");
  CaptureLogger a("alpha"), b("beta");
  char* buf = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&buf, &size);
  LogWriter::listLogWriters(40, out);
  Logger::listLoggers(out);
  fclose(out);
  std::string text(buf, size);
  free(buf);
  std::string expectedNames;
  for (LogWriter* w = LogWriter::head; w; w = w->next)
    expectedNames += std::string(expectedNames.empty() ? "" : ", ") + w->name;
  std::string writers = text.substr(0, text.find("\n  beta\n  alpha\n") + 1);
  ASSERT_FALSE(writers.empty());
  size_t lines = 0;
  for (size_t pos = 0, end; pos < writers.size(); pos = end + 1, lines++) {
    end = writers.find('\n', pos);
    EXPECT_EQ(writers.compare(pos, 2, "  "), 0);
    EXPECT_LE(end - pos, 40u) << writers.substr(pos, end - pos);
  }
  EXPECT_GT(lines, 1u);
  std::string joined = writers.substr(2, writers.size() - 3);
  for (size_t at; (at = joined.find(",\n  ")) != std::string::npos;) joined.replace(at, 4, ", ");
  EXPECT_EQ(joined, expectedNames);
}
