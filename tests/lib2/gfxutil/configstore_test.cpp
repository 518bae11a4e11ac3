#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/Dir.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/gfxutil/ConfigStoreFile.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace gwtest;

namespace {

// A tree with the executable's directory, the system directory and the
// per-user directory side by side, none of them the real ones.
struct Store : testing::Test {
  TempDir dir;
  plat::Configuration conf{"Test"};
  plat::StringParameter log{"Log", "", "default", false, &conf};
  plat::StringParameter other{"Other", "", "", false, &conf};

  Store() {
    os::setAppInfo("grantwell", "Co", "zem", loc::msgid_t(), nullptr);
    os::setDirSetting(&os::etcZemDir, (dir.path() + "/etc").c_str());
    os::setDirSetting(&os::dotZemDir, (dir.path() + "/home").c_str());
  }
  std::string put(const std::string& rel, const std::string& content) {
    std::string path = dir.file(rel);
    plat::mkPath(path.substr(0, path.rfind('/')).c_str(), false, false);
    return dir.write(rel, content);
  }
  std::string load(int priority) {
    gfxutil::ConfigStoreFile store(dir.file("bin").c_str());
    return failureOf([&] { store.loadPriority(priority, &conf); });
  }
};

}  // namespace

TEST_F(Store, ListsFilesInReadingOrder) {
  gfxutil::ConfigStoreFile store(dir.file("bin").c_str());
  std::string seen;
  for (const auto& [priority, list] : store.files)
    for (const plat::String& f : list)
      seen += std::to_string(priority) + std::string(f.get() + dir.path().size()) + " ";
  EXPECT_EQ(seen,
            "0/bin/zem/policy.d/common 0/bin/zem/policy.d/grantwell 0/etc/policy.d/common "
            "0/etc/policy.d/grantwell 50/bin/zem/config.d/common "
            "50/bin/zem/config.d/common.custom 50/bin/zem/config.d/grantwell "
            "50/etc/config.d/common 50/etc/config.d/common.custom 50/etc/config.d/grantwell "
            "50/home/config.d/common 50/home/config.d/grantwell ");
  EXPECT_EQ(gfxutil::ConfigStore::inst_, &store);
}

TEST_F(Store, LaterFilesWinAndPolicyLocks) {
  EXPECT_EQ(load(0), "(none)");  // nothing there yet
  EXPECT_STREQ(log.getValue(), "default");
  put("bin/zem/config.d/grantwell", "Log=beside\nOther=beside\n");
  put("etc/config.d/common", "Log=*:stderr:30\nOther=etc\n");
  put("home/config.d/grantwell", "Log=*:stderr:0\n");
  EXPECT_EQ(load(50), "(none)");
  EXPECT_STREQ(log.getValue(), "*:stderr:0");
  EXPECT_STREQ(other.getValue(), "etc");
  EXPECT_FALSE(log.isLocked());
  put("etc/policy.d/common", "Log=policy\n");
  EXPECT_EQ(load(0), "(none)");
  conf.set("-Log=command line", 50);
  EXPECT_STREQ(log.getValue(), "policy");
  EXPECT_TRUE(log.isLocked());
}

TEST_F(Store, FaultStopsLoadKeepingWhatCameBefore) {
  put("etc/config.d/common", "Log=first\n");
  std::string second = put("etc/config.d/common.custom", "Other=early\nLog=C:\\temp\n");
  put("home/config.d/grantwell", "Log=never\n");
  EXPECT_EQ(load(50), "Error reading " + second + ": bad escape code 0x74");
  EXPECT_STREQ(log.getValue(), "first");
  EXPECT_STREQ(other.getValue(), "early");
}

TEST_F(Store, UnopenableFileIsAnError) {
  // As root a permission failure cannot be made; a symbolic link loop can.
  std::string loop = dir.file("etc/config.d/common");
  plat::mkPath(dir.file("etc/config.d").c_str(), false, false);
  ASSERT_EQ(symlink(loop.c_str(), loop.c_str()), 0);
  EXPECT_EQ(load(50).rfind("Error reading " + loop + ": fileOpen(" + loop + ")", 0), 0u);
}
