#include "lib1/os/AppInfo.h"

#include <gtest/gtest.h>

using namespace os;

TEST(AppInfoDeathTest, UnsetItemsFailTheirAssertions) {
  // Each in a fresh child: the identity is process-wide.
  EXPECT_DEATH(getAppName(), "'app'");
  EXPECT_DEATH(getCompanyName(), "'company'");
  EXPECT_DEATH(getPathComponent(), "'pathComponent'");
  EXPECT_DEATH(setAppName(nullptr), "'app'");
}

TEST(AppInfo, SettersKeepEqualCopiesAndClearOnNull) {
  setAppInfo("tool", "Korvath", "zem", loc::msgid_t(), nullptr);
  const char* company = getCompanyName();
  const char* app = getAppName();
  setAppInfo("tool", "Korvath", "zem", loc::msgid_t(), nullptr);
  EXPECT_EQ(getCompanyName(), company);
  EXPECT_EQ(getAppName(), app);
  EXPECT_STREQ(getPathComponent(), "zem");
  setAppInfo("tool", nullptr, "zem", loc::msgid_t(), nullptr);
  EXPECT_DEATH(getCompanyName(), "'company'");
}

TEST(AppInfo, LongNameFallsBackToTheTextThenTheAppName) {
  setAppInfo("tool", "Korvath", "zem", loc::msgid_t(), nullptr);
  EXPECT_STREQ(getLongAppNameR(), "tool");
  setAppInfo("tool", "Korvath", "zem", loc::msgid_t(), "Grand Tool");
  EXPECT_STREQ(getLongAppNameR(), "Grand Tool");
  EXPECT_STREQ(getLongAppName(), "Grand Tool");
}

TEST(AppInfo, LongNameLosesTheRegisteredSign) {
  setAppInfo("tool", "Korvath", "zem", loc::msgid_t(), "Zem\xC2\xAE Viewer");
  EXPECT_STREQ(getLongAppNameR(), "Zem\xC2\xAE Viewer");
  EXPECT_STREQ(getLongAppName(), "Zem Viewer");
  setAppInfo("tool", "Korvath", "zem", loc::msgid_t(),
             "\xC2\xAE"
             "A\xC2\xAE\xC2\xAE");
  EXPECT_STREQ(getLongAppName(), "A");
}

TEST(AppInfo, DirSettingsHoldCopies) {
  char value[] = "/tmp/x";
  setDirSetting(&configDir, value);
  value[1] = 'z';
  EXPECT_STREQ(configDir, "/tmp/x");
  setDirSetting(&configDir, nullptr);
  EXPECT_EQ(configDir, nullptr);
}
