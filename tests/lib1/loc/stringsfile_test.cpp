#include "lib1/loc/StringsFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "lib1/loc/Localize.h"
#include "lib1/loc/TransMap.h"
#include "tests/support/CaptureLogger.h"

namespace {

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

}  // namespace

TEST_F(StringsFileDir, MissingFileIsSilent) {
  EXPECT_FALSE(load("zz_NONE"));
  EXPECT_TRUE(log.lines.empty());
}

TEST_F(StringsFileDir, BadLinesAreLoggedAndTheRestIsRegistered) {
  write("strings.zz_SE.po",
        "msgid \"sf_bad\"\r\nmsgstr \"\\q\"\r\n\r\nmsgid \"sf_ok\"\r\nmsgstr \"fine\"");
  EXPECT_TRUE(load("zz_SE"));
  std::string path = dir + "/strings.zz_SE.po";
  EXPECT_TRUE(log.has(path + ":2 Invalid escape at end"));
  EXPECT_TRUE(log.has("Loaded strings from " + path));
  loc::TransMap map;
  loc::Localize::inst()->setTransMapLocales({"zz_SE"}, &map);
  ASSERT_NE(map.get(loc::msgid_t("sf_ok")), nullptr);
  EXPECT_STREQ(map.get(loc::msgid_t("sf_ok"))->text(), "fine");
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
