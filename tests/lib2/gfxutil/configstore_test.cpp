#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/Dir.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/gfxutil/ConfigStoreFile.h"
#include "tests/support/Deadline.h"
#include "tests/support/Failure.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

namespace {

// The executable's, the system and the per-user directories side by side.
struct Store : testing::Test {
  gwtest::TempDir dir;
  plat::Configuration conf{"Test"};
  plat::StringParameter log{"Log", "", "default", false, &conf};
  plat::StringParameter other{"Other", "", "", false, &conf};

  Store() {
    os::setAppInfo("grantwell", "Co", "zem", loc::msgid_t(), nullptr);
    os::setDirSetting(&os::etcZemDir, (dir.path() + "/etc").c_str());
    os::setDirSetting(&os::dotZemDir, (dir.path() + "/home").c_str());
  }
  std::string put(const std::string& rel, const std::string& content) {
    plat::mkPath(dir.file(rel.substr(0, rel.rfind('/'))).c_str(), false, false);
    return dir.write(rel, content);
  }
  std::string load(int priority) {
    gfxutil::ConfigStoreFile store(dir.file("bin").c_str());
    return gwtest::failureOf([&] { store.loadPriority(priority, &conf); });
  }
};

TEST_F(Store, LaterFilesWinAndPolicyLocks) {
  put("bin/zem/config.d/grantwell", "Log=beside\nOther=beside\n");
  put("etc/config.d/common", "Log=*:stderr:30\n");
  put("home/config.d/grantwell", "Log=*:stderr:0\n");
  put("etc/policy.d/common", "Other=policy\n");
  EXPECT_EQ(load(50) + load(0), "(none)(none)");
  conf.set("-Other=command line", 50);
  EXPECT_STREQ(log.getValue(), "*:stderr:0");
  EXPECT_TRUE(!strcmp(other.getValue(), "policy") && other.isLocked() && !log.isLocked());
}

TEST_F(Store, FaultStopsLoadKeepingWhatCameBefore) {
  put("etc/config.d/common", "Log=first\n");
  std::string second = put("etc/config.d/common.custom", "Other=early\nLog=C:\\temp\n");
  put("home/config.d/grantwell", "Log=never\n");
  EXPECT_EQ(load(50), "Error reading " + second + ":2: bad escape code 0x74");
  EXPECT_STREQ(log.getValue(), "first");
  EXPECT_STREQ(other.getValue(), "early");
}

// As root a permission failure cannot be made; a symbolic link loop can.
TEST_F(Store, UnopenableFileIsAnError) {
  std::string loop = dir.file("etc/config.d/common");
  plat::mkPath(dir.file("etc/config.d").c_str(), false, false);
  ASSERT_EQ(symlink(loop.c_str(), loop.c_str()), 0);
  EXPECT_EQ(load(50).rfind("Error reading " + loop + ": fileOpen(" + loop + ")", 0), 0u);
}

// Nothing writes into the pipe: a load that opened it as a file would wait
// for ever, and start-up with it.
TEST_F(Store, ANamedPipeForAFileStopsTheLoadAtOnce) {
  std::string pipe = dir.file("home/config.d/grantwell");
  plat::mkPath(dir.file("home/config.d").c_str(), false, false);
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(gwtest::textWithin([&] { return load(50); }),
            "Error reading " + pipe + ": fileOpen(" + pipe + "): a named pipe, not a regular file");
}

// A program started by root that then gives up its rights, from a folder
// only root may enter: what lies beside it is out of reach, not a fault.
TEST_F(Store, FolderOfTheExecutableItsUserCannotEnterIsLeftOut) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to make a folder another user cannot enter";
  chmod(dir.path().c_str(), 0755);
  put("bin/zem/policy.d/grantwell", "Log=beside\n");
  put("home/config.d/grantwell", "Log=*:stderr:0\n");
  chmod(dir.file("bin").c_str(), 0700);
  int code = gwtest::exitCodeOf(gwtest::startChild([&] {
    if (setresgid(65534, 65534, 65534) != 0 || setresuid(65534, 65534, 65534) != 0) return 2;
    if (load(50) + load(0) != "(none)(none)") return 3;
    return strcmp(log.getValue(), "*:stderr:0") == 0 ? 0 : 4;
  }));
  EXPECT_EQ(code, 0) << "2: cannot become the user, 3: the load failed, 4: wrong value";
}

}  // namespace
