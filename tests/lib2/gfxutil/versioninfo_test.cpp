#include "lib2/gfxutil/VersionInfo.h"

#include <gtest/gtest.h>

#include <string>

#include "lib2/plat/LoggerFile.h"
#include "tests/support/TempDir.h"

using namespace gwtest;

TEST(VersionInfo, TermTextSpellsSignsAndIsRebuiltNotAppended) {
  gfxutil::versionInfo.versionText.clear();
  gfxutil::versionInfo.versionText.prf("Grantwell\u00ae 1.0 \u00a9 2026 Zem\u2122 Ltd");
  gfxutil::updateVersionTermText();
  gfxutil::updateVersionTermText();
  EXPECT_STREQ(gfxutil::versionInfo.termVersionText.get(), "Grantwell(R) 1.0 (C) 2026 Zem(TM) Ltd");

  // The log destinations head their files with it.
  TempDir dir;
  plat::Logger_file dest("versiontest", "grantwell", nullptr);
  dest.setFilename(dir.file("v.log").c_str());
  dest.write(30, "Test", "line");
  EXPECT_EQ(readFile(dir.file("v.log")).rfind("Grantwell(R) 1.0 (C) 2026 Zem(TM) Ltd\n<14> ", 0),
            0u);
  plat::Logger_file::setVersionInfo(nullptr);
}
