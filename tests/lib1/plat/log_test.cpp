#include "lib1/plat/Log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lib1/plat/Exception.h"
#include "tests/support/CaptureLogger.h"

using gwtest::CaptureLogger;
using plat::Logger;
using plat::LogWriter;

namespace {

// A writer routed to a capture at level 0, and the text of the last line.
struct Routed : testing::Test {
  CaptureLogger dest{"logTest"};
  LogWriter w{"logTestWriter"};
  Routed() { w.setLoggerAndLevel(&dest, 0); }
  std::string last() const { return dest.lines.empty() ? "" : dest.lines.back().text; }
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
  CaptureLogger dest;
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
  std::string seen;
  for (const auto& l : dest.lines)
    seen += std::to_string(l.level) + " " + l.log + ": " + l.text + "|";
  EXPECT_EQ(seen,
            "0 logTestLevels: e0|30 logTestLevels: i30|30 logTestLevels: w30|"
            "110 logTestLevels: d|");
}

TEST_F(Routed, CutsALineAt4095BytesOnACharacterBoundary) {
  std::string big(5000, 'a');
  w.error("%s", big.c_str());
  EXPECT_EQ(last(), big.substr(0, 4095));
  // A two-byte character at bytes 4094 and 4095 does not fit and is not
  // split: the line needs no escaping and arrives as 4094 bytes.
  w.error("%s", (std::string(4094, 'b') + "\xC3\xA9tail").c_str());
  EXPECT_EQ(last(), std::string(4094, 'b'));
}

TEST_F(Routed, EscapesControlsTildesAndBadUtf8WithTilde) {
  for (auto [in, out] : {std::pair{"line1\nline2", "line1~^Jline2"},
                         {"100~ done", "100~~ done"},
                         {"caf\xE9 \x7F", "caf~M-i ~^?"},
                         {"ok \xC3\xA9 }", "ok \xC3\xA9 }"}}) {
    w.error("%s", in);
    EXPECT_EQ(last(), out);
  }
}

TEST_F(Routed, ADestinationThatThrowsLeaksNoEscapedCopy) {
  dest.throws = true;  // a leak shows in the sanitizer build
  EXPECT_THROW(w.error("needs ~ escaping"), plat::Exception);
}

TEST(Logger, LookupIgnoresCaseAndDestructorsUnlink) {
  {
    CaptureLogger dest("LogTestDest");
    EXPECT_EQ(Logger::getLogger("logtestDEST"), &dest);
    EXPECT_EQ(Logger::getLogger("logtestdes"), nullptr);
    LogWriter w("LogTestTemp");
    EXPECT_EQ(LogWriter::getLogWriter("logtesttemp"), &w);
  }
  EXPECT_EQ(Logger::getLogger("logtestdest"), nullptr);
  EXPECT_EQ(LogWriter::getLogWriter("logtesttemp"), nullptr);
}

TEST_F(Routed, DestructorDetachesItsWriters) {
  LogWriter gone("logTestDetach");
  {
    CaptureLogger dies("logTestGone");
    gone.setLoggerAndLevel(&dies, 100);
  }
  EXPECT_TRUE(gone.logger == nullptr && gone.level == 0);
  gone.error("must not reach freed memory");
  EXPECT_EQ(w.logger, &dest);
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
              CaptureLogger a("alpha"), b("beta");
              Logger::listLoggers(out);
            }),
            "  beta\n  alpha\n");
}
