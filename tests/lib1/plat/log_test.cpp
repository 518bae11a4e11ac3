#include "lib1/plat/Log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lib1/plat/Exception.h"

using plat::Logger;
using plat::LogWriter;

namespace {

class TestLogger : public Logger {
 public:
  explicit TestLogger(const char* logName = "logTest", bool throwing = false)
      : Logger(logName), throws(throwing) {}
  void write(int level, const char* logName, const char* text) override {
    if (throws) throw plat::Exception("disk full");
    lines.push_back(std::to_string(level) + " " + logName + ": " + text);
    last = text;
  }
  bool throws;
  std::vector<std::string> lines;
  std::string last;
};

// Runs fn with both registries emptied, so that a listing sees only the
// objects fn builds, and returns what fn wrote.
template <typename F>
std::string withEmptyLists(F fn) {
  Logger* loggers = std::exchange(Logger::head, nullptr);
  LogWriter* writers = std::exchange(LogWriter::head, nullptr);
  char* text = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&text, &size);
  fn(out);
  fclose(out);
  std::string result(text, size);
  free(text);
  Logger::head = loggers;
  LogWriter::head = writers;
  return result;
}

// Formatting a %s of this pointer would crash: a suppressed call must not
// format at all.
const char* const kUnreadable = reinterpret_cast<const char*>(16);

}  // namespace

TEST(LogWriter, LevelTestComesBeforeAnyFormatting) {
  TestLogger dest;
  LogWriter w("logTestLevels");
  w.error("%s", kUnreadable);  // no logger yet: silent at every level
  w.setLoggerAndLevel(&dest, 30);
  w.debug("%s", kUnreadable);
  w.debugplus("%s", kUnreadable);
  w.write(31, "%s", kUnreadable);
  EXPECT_TRUE(dest.lines.empty());
  w.error("e%d", 0);
  w.info("i%d", 30);
  w.write(30, "w%s", "30");
  w.setLoggerAndLevel(&dest, 110);
  w.debugplus("d");
  EXPECT_EQ(dest.lines,
            (std::vector<std::string>{"0 logTestLevels: e0", "30 logTestLevels: i30",
                                      "30 logTestLevels: w30", "110 logTestLevels: d"}));
}

TEST(Logger, CutsALineAt4095BytesOnACharacterBoundary) {
  TestLogger dest;
  LogWriter w("logTestFormat");
  w.setLoggerAndLevel(&dest, 0);
  std::string big(5000, 'a');
  w.error("%s", big.c_str());
  EXPECT_EQ(dest.last, big.substr(0, 4095));
  // A two-byte character at bytes 4094 and 4095 does not fit and is not
  // split: the line needs no escaping and arrives as 4094 bytes.
  w.error("%s", (std::string(4094, 'b') + "\xC3\xA9tail").c_str());
  EXPECT_EQ(dest.last, std::string(4094, 'b'));
}

TEST(Logger, EscapesControlsTildesAndBadUtf8WithTilde) {
  TestLogger dest;
  LogWriter w("logTestEscape");
  w.setLoggerAndLevel(&dest, 0);
  w.error("line1\nline2");
  EXPECT_EQ(dest.last, "line1~^Jline2");
  w.error("100~ %s", "done");
  EXPECT_EQ(dest.last, "100~~ done");
  w.error("caf\xE9 \x7F");
  EXPECT_EQ(dest.last, "caf~M-i ~^?");
  w.error("ok \xC3\xA9 }");
  EXPECT_EQ(dest.last, "ok \xC3\xA9 }");
}

TEST(Logger, ADestinationThatThrowsLeaksNoEscapedCopy) {
  TestLogger throwing("logTestThrowing", true);
  LogWriter w("logTestThrow");
  w.setLoggerAndLevel(&throwing, 0);  // a leak shows in the sanitizer build
  EXPECT_THROW(w.error("needs ~ escaping"), plat::Exception);
}

TEST(Logger, LookupIgnoresCaseAndDestructorsUnlink) {
  {
    TestLogger dest("LogTestDest");
    EXPECT_EQ(Logger::getLogger("logtestDEST"), &dest);
    EXPECT_EQ(Logger::getLogger("logtestdes"), nullptr);
    LogWriter w("LogTestTemp");
    EXPECT_EQ(LogWriter::getLogWriter("logtesttemp"), &w);
  }
  EXPECT_EQ(Logger::getLogger("logtestdest"), nullptr);
  EXPECT_EQ(LogWriter::getLogWriter("logtesttemp"), nullptr);
  EXPECT_NE(LogWriter::getLogWriter("assertion"), nullptr);
}

TEST(Logger, DestructorDetachesItsWriters) {
  LogWriter w("logTestDetach"), other("logTestOther");
  TestLogger keep("logTestKeep");
  {
    TestLogger gone("logTestGone");
    w.setLoggerAndLevel(&gone, 100);
    other.setLoggerAndLevel(&keep, 100);
  }
  EXPECT_EQ(w.logger, nullptr);
  EXPECT_EQ(w.level, 0);
  w.error("must not reach freed memory");
  EXPECT_EQ(other.logger, &keep);
}

TEST(LogWriter, ListsNamesWrappedAndDestinationsOnePerLine) {
  std::string text = withEmptyLists([](FILE* out) {
    // The list runs from the last built to the first.
    LogWriter e("epsilon"), d("delta"), g("gamma"), b("beta"), a("alpha");
    LogWriter::listLogWriters(20, out);
  });
  EXPECT_EQ(text, "  alpha, beta,\n  gamma, delta,\n  epsilon\n");
  EXPECT_EQ(withEmptyLists([](FILE* out) { LogWriter::listLogWriters(20, out); }), "  \n");
  EXPECT_EQ(withEmptyLists([](FILE* out) {
              TestLogger a("alpha"), b("beta");
              Logger::listLoggers(out);
            }),
            "  beta\n  alpha\n");
}
