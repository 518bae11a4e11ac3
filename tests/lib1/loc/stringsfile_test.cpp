#include "lib1/loc/StringsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "lib1/loc/Localize.h"
#include "lib1/loc/PoParser.h"
#include "lib1/loc/TransMap.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"

namespace {

std::string unescaped(const char* text) {
  plat::DString out;
  std::string err = gwtest::failureOf([&] { loc::unescapeString(text, &out); });
  return err == "(none)" ? std::string(out.get()) : "error: " + err;
}

// Feeds the lines of a text to the parser and records what it reports.
class Recorder : public loc::PoParser {
 public:
  explicit Recorder(const std::string& text) {
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
      line(text.substr(start, nl - start).c_str());
    if (start < text.size()) line(text.substr(start).c_str());
    finish();
  }
  std::vector<std::string> seen;

 protected:
  void entry(const char* key, const char* text) override {
    seen.push_back(std::string(key) + "=" + text);
  }
  void error(int lineNo, const char* message) override {
    seen.push_back(std::to_string(lineNo) + ": " + message);
  }
};

using Seen = std::vector<std::string>;

}  // namespace

TEST(UnescapeString, DecodesEscapesAndRejectsMalformedStrings) {
  struct Row {
    const char* in;
    const char* want;
  };
  for (const Row& r : {
           Row{"  \"plain\"", "plain"},
           Row{"\"\\\"\\'\\?\\\\\"", "\"'?\\"},
           Row{"\"\\a\\b\\f\\n\\r\\t\\v\"", "\a\b\f\n\r\t\v"},
           Row{"\"\\x41\\x6a\"", "Aj"},
           Row{"\"\\101\"", "A"},
           Row{"\"\\303\\251\"", "\xc3\xa9"},
           Row{"x\"a\"", "error: Junk preceding string data"},
           Row{"\"a\" ", "error: Junk following string data"},
           Row{"no quote", "error: Junk following string data"},
           Row{"", "error: Junk following string data"},
           Row{"\"open", "error: Missing terminator"},
           Row{"\"a\\", "error: Invalid escape at end"},
           Row{"\"\\q\"", "error: Invalid escape at end"},
           Row{"\"\\x4\"", "error: Invalid hex escape"},
           Row{"\"\\x4", "error: Invalid hex escape at end"},
           Row{"\"\\x 4\"", "error: Invalid hex escape"},
           Row{"\"\\400\"", "error: Octal escape code out of range"},
           Row{"\"\\19a\"", "error: Invalid escape code"},
           Row{"\"\\+12\"", "error: Invalid escape code"},
           // A NUL would silently cut the text short.
           Row{"\"a\\000b\"", "error: Invalid escape code"},
           Row{"\"a\\x00b\"", "error: Invalid hex escape"},
       })
    EXPECT_EQ(unescaped(r.in), r.want) << r.in;
}

TEST(UnescapeString, KeepsWhatWasDecodedBeforeABadEscape) {
  plat::DString out;
  gwtest::failureOf([&] { loc::unescapeString("\"ab\\q", &out); });
  EXPECT_STREQ(out.get(), "ab");
}

TEST(PoParser, ReadsEntriesWithContinuationsAndSkipsTheHeader) {
  EXPECT_EQ(Recorder("# comment\n"
                     "msgid \"\"\n"
                     "msgstr \"\"\n"
                     "\"Content-Type: text/plain\\n\"\n"
                     "\n"
                     "msgid \"k\"\n"
                     "\"e\"\n"
                     "\"y\"\n"
                     "msgstr \"te\"\n"
                     "\"xt\"\n"
                     "\n"
                     "\"front \"\n"
                     "msgid \"second\"\n"
                     "msgstr \"last\"")
                .seen,
            (Seen{"key=text", "second=front last"}));
}

TEST(PoParser, ReportsErrorsPerLineAndReadsOn) {
  EXPECT_EQ(Recorder("msgid \"a\"\n"
                     "\n"
                     "msgstr \"after gap\"\n"
                     "\n"
                     "msgstr \"x\"\n"
                     "msgid\t\"tab\"\n"
                     "msgid \"b\"\n"
                     "msgstr \"1\"\n"
                     "msgid \"c\"\n"
                     "\n"
                     "msgid \"d\" junk\n"
                     "msgfoo \"e\"\n")
                .seen,
            (Seen{"2: Expected msgstr", "a=after gap", "5: Expected msgid",
                  "6: Bad command or string", "9: Bad command or string", "b=1",
                  "11: Junk following string data", "12: Expected msgstr", "13: Expected msgstr"}));
}

TEST(StringsFile, ReadLinesEndingInCrLfLikeLf) {
  const char text[] =
      "msgid \"sf_crlf\"\r\nmsgstr \"one\"\r\n\r\nmsgid \"sf_crlf2\"\r\nmsgstr \"two\"";
  rdr::MemInStream in(text, int(sizeof text - 1));
  loc::readStringsFile(&in, "mem.po", "zz_CR", loc::Localize::inst());
  loc::TransMap map;
  loc::Localize::inst()->setTransMapLocales({"zz_CR"}, &map);
  ASSERT_NE(map.get(loc::msgid_t("sf_crlf")), nullptr);
  EXPECT_STREQ(map.get(loc::msgid_t("sf_crlf"))->get(true, loc::msgid_t("sf_crlf")), "one");
  ASSERT_NE(map.get(loc::msgid_t("sf_crlf2")), nullptr);
  EXPECT_STREQ(map.get(loc::msgid_t("sf_crlf2"))->get(true, loc::msgid_t("sf_crlf2")), "two");
}

class StringsFileDir : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/loc_sf_XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { EXPECT_EQ(system(("rm -rf " + dir).c_str()), 0); }
  void write(const std::string& name, const std::string& text) {
    std::ofstream(dir + "/" + name, std::ios::binary) << text;
  }
  bool load(const char* locale) {
    return loc::loadStringsFile(dir.c_str(), locale, loc::Localize::inst());
  }

  std::string dir;
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route{&loc::localizeLog(), &log, 100};
};

TEST_F(StringsFileDir, MissingFileIsSilent) {
  EXPECT_FALSE(load("zz_NONE"));
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(StringsFileDir, SyntaxErrorsAreLoggedWithFileAndLine) {
  write("strings.zz_SE.po",
        "msgid \"sf_ok\"\nmsgstr \"fine\"\n\nmsgid \"sf_bad\"\nmsgstr \"\\q\"\n");
  EXPECT_TRUE(load("zz_SE"));
  std::string path = dir + "/strings.zz_SE.po";
  EXPECT_TRUE(log.has(path + ":5 Invalid escape at end"));
  EXPECT_TRUE(log.has("Loaded strings from " + path));
}

TEST_F(StringsFileDir, UnreadableFileEndsWithOneError) {
  ASSERT_EQ(mkdir((dir + "/strings.zz_DIR.po").c_str(), 0700), 0);
  EXPECT_FALSE(load("zz_DIR"));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(
      log.lines[0].text.rfind("Error loading strings from " + dir + "/strings.zz_DIR.po [", 0), 0u);
}

TEST_F(StringsFileDir, OverlongLineEndsTheFileButKeepsEarlierEntries) {
  write("strings.zz_LONG.po",
        "msgid \"sf_before\"\nmsgstr \"kept\"\n\nmsgid \"" + std::string(300000, 'a') + "\"\n");
  EXPECT_FALSE(load("zz_LONG"));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(
      log.lines[0].text.rfind("Error loading strings from " + dir + "/strings.zz_LONG.po [", 0),
      0u);
  loc::TransMap map;
  loc::Localize::inst()->setTransMapLocales({"zz_LONG"}, &map);
  EXPECT_NE(map.get(loc::msgid_t("sf_before")), nullptr);
}
