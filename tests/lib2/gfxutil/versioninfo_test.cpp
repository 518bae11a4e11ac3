#include "lib2/gfxutil/VersionInfo.h"

#include <gtest/gtest.h>

#include "lib2/plat/LoggerFile.h"

TEST(VersionInfo, TermTextSpellsSignsAndIsRebuiltNotAppended) {
  gfxutil::versionInfo.versionText.clear();
  gfxutil::versionInfo.versionText.prf("Grantwell\u00ae 1.0 \u00a9 2026 Zem\u2122 Ltd");
  for (int i = 0; i < 2; i++) gfxutil::updateVersionTermText();  // rebuilt, not appended
  EXPECT_STREQ(gfxutil::versionInfo.termVersionText.get(), "Grantwell(R) 1.0 (C) 2026 Zem(TM) Ltd");

  plat::Logger_file::setVersionInfo(nullptr);
}
