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

TEST(AppInfo, LongNameFallsBackToTheAppNameAndLosesTheRegisteredSign) {
  const char* cases[][2] = {
      {nullptr, "tool"}, {"Zem\u00AE Viewer", "Zem Viewer"}, {"\u00AEA\u00AE\u00AE", "A"}};
  for (auto& c : cases) {
    setAppInfo("tool", "Korvath", "zem", loc::msgid_t(), c[0]);
    EXPECT_STREQ(getLongAppNameR(), c[0] ? c[0] : "tool");
    EXPECT_STREQ(getLongAppName(), c[1]);
  }
}
