#include "lib1/plat/FileLock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/FileChecks.h"
#include "tests/support/LockHolder.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

using Names = std::vector<std::string>;

// Where each kind of target has its lock, and what is left once it goes.
TEST(FileLock, TheLockLiesBesideTheFileALinkLeadsToAndGoesWithItsHolder) {
  TempDir dir;
  dir.write("real", "A=1\n");
  dir.write("stale.lock", "");  // a holder died
  ASSERT_EQ(symlink("real", dir.file("link").c_str()), 0);
  const struct {
    const char* name;
    std::string path;
    const char* lock;  // null: nothing locked
  } rows[] = {
      {"a lock left behind", dir.file("stale"), "stale.lock"},
      {"a file", dir.file("real"), "real.lock"},
      {"a file yet to be made", dir.file("new"), "new.lock"},
      {"a link", dir.file("link"), "real.lock"},
      {"a device", "/dev/null", nullptr},
  };
  for (const auto& r : rows) {
    {
      FileLock lock(r.path.c_str());
      EXPECT_EQ(lock.lockPath() ? lock.lockPath() : "(none)", r.lock ? dir.file(r.lock) : "(none)")
          << r.name;
    }
    EXPECT_EQ(dir.names(), (Names{"link", "real"})) << r.name;
  }
}

TEST(FileLock, ALockFileThatCannotBeMadeIsAnError) {
  TempDir dir;
  std::string lock = dir.file("none/f.lock");
  expectSystemError([&] { FileLock l(dir.file("none/f").c_str()); }, ENOENT,
                    ("fileOpenFd(" + lock + "): ").c_str());
}

// While another program holds the lock a taker gives up after its time-out;
// once the holder let go, even one that will not wait at all gets it.
TEST(FileLock, ATakerGivesUpWhileAnotherProgramHoldsTheLock) {
  TempDir dir;
  std::string f = dir.file("f");
  LockHolder holder(f);
  EXPECT_EQ(failureOf([&] { FileLock l(f.c_str(), 30); }),
            "Cannot lock " + f + ": another program held it for 30 ms");
  EXPECT_TRUE(holder.release());
  EXPECT_NE(FileLock(f.c_str(), 0).lockPath(), nullptr);
}

}  // namespace
