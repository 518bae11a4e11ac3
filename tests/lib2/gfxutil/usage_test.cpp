#include "lib2/gfxutil/Usage.h"

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/BoolParameter.h"

TEST(Usage, XmlListingIsTheConfigurationDocument) {
  plat::Configuration config("t");
  plat::BoolParameter flag("Flag", "A flag", false, false, &config);
  testing::internal::CaptureStdout();
  gfxutil::xmlUsage(&config);
  std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(out.rfind("<config>\n<bool   name=\"Flag\"\n        description=\"A flag\""),
            out.find("<config>"));
  EXPECT_EQ(out.substr(out.size() - 10), "</config>\n");
}

TEST(UsageDeathTest, EveryKindEndsTheProcessWithStatus1) {
  plat::Configuration config("t");
  for (auto type : {plat::Configuration::UsageBasic, plat::Configuration::UsageXml})
    EXPECT_EXIT(gfxutil::defaultUsage(type, &config), testing::ExitedWithCode(1), "");
}
