#include "lib1/plat/Log.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/Exception.h"
#include "tests/support/CaptureLogger.h"

using gwtest::CaptureLogger;
using plat::LogWriter;

namespace {

// A writer routed to a capture at level 0, and the text of the last line.
struct Routed : testing::Test {
  CaptureLogger dest{"logTest"};
  LogWriter w{"logTestWriter"};
  Routed() { w.setLoggerAndLevel(&dest, 0); }
  std::string last() const { return dest.lines.empty() ? "" : dest.lines.back().text; }
};

// Formatting a %s of this pointer would crash: a suppressed call must not format.
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
  for (const auto& l : dest.lines) seen += std::to_string(l.level) + " " + l.text + "|";
  EXPECT_EQ(seen, "0 e0|30 i30|30 w30|110 d|");
}

TEST_F(Routed, CutsALineAt4095BytesOnACharacterBoundary) {
  std::string big(5000, 'a');
  w.error("%s", big.c_str());
  EXPECT_EQ(last(), big.substr(0, 4095));
  // A two-byte character at 4094 and 4095 is not split: the line arrives as 4094 bytes.
  w.error("%s", (std::string(4094, 'b') + "\xC3\xA9tail").c_str());
  EXPECT_EQ(last(), std::string(4094, 'b'));
}

TEST_F(Routed, ADestinationThatThrowsLeaksNoEscapedCopy) {
  dest.throws = true;  // a leak shows in the sanitizer build
  EXPECT_THROW(w.error("needs ~ escaping"), plat::Exception);
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
