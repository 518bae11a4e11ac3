#include "lib1/loc/PoParser.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/support/Failure.h"

namespace {

std::string unescaped(const char* text) {
  plat::DString out;
  std::string err = gwtest::failureOf([&] { loc::unescapeString(text, &out); });
  return err == "(none)" ? std::string(out.get()) : "error: " + err;
}

// Feeds the lines of a text to the parser and records what it reports.
struct Recorder : loc::PoParser {
  explicit Recorder(const std::string& text) {
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) line(l.c_str());
    finish();
  }
  void entry(const char* k, const char* text) override {
    seen.push_back(k + std::string("=") + text);
  }
  void error(int n, const char* message) override {
    seen.push_back(std::to_string(n) + ": " + message);
  }
  std::vector<std::string> seen;
};

using Seen = std::vector<std::string>;

}  // namespace

// The fuzz target reads back every byte written as a hexadecimal or octal
// escape; these are the other escapes and the faults. An escaped NUL would
// silently cut the text short.
TEST(UnescapeString, DecodesEscapesAndRejectsMalformedStrings) {
  const std::pair<const char*, const char*> rows[] = {
      {"  \"plain\"", "plain"},
      {"\"\\\"\\'\\?\\\\\"", "\"'?\\"},
      {"\"\\a\\b\\f\\n\\r\\t\\v\"", "\a\b\f\n\r\t\v"},
      {"x\"a\"", "error: Junk preceding string data"},
      {"\"a\" ", "error: Junk following string data"},
      {"", "error: Junk following string data"},
      {"\"open", "error: Missing terminator"},
      {"\"a\\", "error: Invalid escape at end"},
      {"\"\\q\"", "error: Invalid escape at end"},
      {"\"\\x4\"", "error: Invalid hex escape"},
      {"\"\\x4", "error: Invalid hex escape at end"},
      {"\"\\400\"", "error: Octal escape code out of range"},
      {"\"\\+12\"", "error: Invalid escape code"},
      {"\"a\\000b\"", "error: Invalid escape code"},
      {"\"a\\x00b\"", "error: Invalid hex escape"}};
  for (auto [in, want] : rows) EXPECT_EQ(unescaped(in), want) << in;
}

TEST(PoParser, ReadsEntriesWithContinuationsAndSkipsTheHeader) {
  EXPECT_EQ(Recorder("# comment\nmsgid \"\"\nmsgstr \"\"\n\"Content-Type: text/plain\\n\"\n\n"
                     "msgid \"k\"\n\"e\"\n\"y\"\nmsgstr \"te\"\n\"xt\"\n\n"
                     "\"front \"\nmsgid \"second\"\nmsgstr \"last\"")
                .seen,
            (Seen{"key=text", "second=front last"}));
}

TEST(PoParser, ReportsErrorsPerLineAndReadsOn) {
  EXPECT_EQ(Recorder("msgid \"a\"\n\nmsgstr \"after gap\"\n\n"     // lines 1-4
                     "msgstr \"x\"\nmsgid\t\"tab\"\n"              // 5-6
                     "msgid \"b\"\nmsgstr \"1\"\nmsgid \"c\"\n\n"  // 7-10
                     "msgid \"d\" junk\nmsgfoo \"e\"\n")           // 11-12, then the end
                .seen,
            (Seen{"2: Expected msgstr", "a=after gap", "5: Expected msgid",
                  "6: Bad command or string", "9: Bad command or string", "b=1",
                  "11: Junk following string data", "12: Expected msgstr", "13: Expected msgstr"}));
}
