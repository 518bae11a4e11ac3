#include "lib1/loc/StringsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/Localize.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Deadline.h"
#include "tests/support/TempDir.h"

namespace {

struct StringsFileDir : testing::Test {
  bool load(const char* locale) {
    return loc::loadStringsFile(dir.path().c_str(), locale, loc::Localize::inst());
  }
  // The text of key under locale alone.
  static std::string text(const char* locale, const char* key) {
    loc::LocaleSetter only(locale);
    return loc::localize(loc::msgid_t(key), nullptr, 0, true);
  }

  gwtest::TempDir dir;
  gwtest::CaptureLogger log;
  gwtest::RouteWriter route{&loc::localizeLog(), &log, 100};
};

}  // namespace

TEST_F(StringsFileDir, BadLinesAreLoggedAndTheRestIsRegistered) {
  dir.write("strings.zz_SE.po",
            "msgid \"sf_bad\"\r\nmsgstr \"\\q\"\r\n\r\nmsgid \"sf_ok\"\r\nmsgstr \"fine\"");
  EXPECT_TRUE(load("zz_SE"));
  EXPECT_TRUE(log.has(dir.file("strings.zz_SE.po:2 Invalid escape at end")));
  EXPECT_TRUE(log.has("Loaded strings from " + dir.file("strings.zz_SE.po")));
  EXPECT_EQ(text("zz_SE", "sf_ok"), "fine");
}

TEST_F(StringsFileDir, OverlongLineEndsTheFileButKeepsEarlierEntries) {
  dir.write("strings.zz_LONG.po",
            "msgid \"sf_before\"\nmsgstr \"kept\"\n\nmsgid \"" + std::string(300000, 'a') + "\"\n");
  EXPECT_FALSE(load("zz_LONG"));
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_TRUE(log.lines[0].text.starts_with("Error loading strings from " +
                                            dir.file("strings.zz_LONG.po [")));
  EXPECT_EQ(text("zz_LONG", "sf_before"), "kept");
}

TEST_F(StringsFileDir, FileTextOverridesTheBuiltInOne) {
  loc::Localize::inst()->addBuiltInString("zz_OV", "sf_file", "built in");
  dir.write("strings.zz_OV.po", "msgid \"sf_file\"\nmsgstr \"from the file\"\n");
  EXPECT_TRUE(load("zz_OV"));
  EXPECT_EQ(text("zz_OV", "sf_file"), "from the file");
}

TEST_F(StringsFileDir, ANamedPipeForTheFileIsRefusedAtOnce) {
  ASSERT_EQ(mkfifo(dir.file("strings.zz_FIFO.po").c_str(), 0600), 0);
  EXPECT_EQ(gwtest::textWithin([this] {
              bool loaded = load("zz_FIFO");
              return std::string(loaded ? "loaded" : "refused") + ": " +
                     (log.lines.empty() ? "" : log.lines[0].text);
            }),
            "refused: Error loading strings from " + dir.file("strings.zz_FIFO.po") +
                " [fileOpen(" + dir.file("strings.zz_FIFO.po") +
                "): a named pipe, not a regular file]");
}
