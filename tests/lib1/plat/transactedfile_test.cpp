#include "lib1/plat/TransactedFile.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>

#include "lib1/plat/File.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

struct TransactedFileTest : testing::Test {
  TempDir dir;
  std::string target = dir.write("t", "old");
  std::string tmp = target + ".tmp";
};

}  // namespace

TEST_F(TransactedFileTest, CommitPutsTheContentInPlaceWithTheOldPermissions) {
  chmod(target.c_str(), 0604);
  TransactedFile tf(target.c_str(), false, false);
  fputs("new content", tf.file);
  EXPECT_EQ(readFile(target), "old");  // readers see the old file meanwhile
  tf.commit();
  EXPECT_EQ(readFile(target), "new content");
  EXPECT_EQ(modeOf(target), 0604u);
  EXPECT_FALSE(fileExistsNoThrow(tmp.c_str()));
}

TEST_F(TransactedFileTest, WithoutCommitNothingChangesAndNoTraceIsLeft) {
  {
    TransactedFile tf(target.c_str(), true, false);
    fputs("half-written", tf.file);
  }
  EXPECT_EQ(readFile(target), "old");
  EXPECT_FALSE(fileExistsNoThrow(tmp.c_str()));
}

TEST_F(TransactedFileTest, StaleTemporaryIsReplacedByAPrivateOne) {
  dir.write("t.tmp", "stale");
  chmod(tmp.c_str(), 0666);
  TransactedFile tf(target.c_str(), false, true);
  EXPECT_EQ(modeOf(tmp), 0600u);
  EXPECT_EQ(readFile(tmp), "");
}

TEST_F(TransactedFileTest, PrivateTemporaryIsBornPrivate) {
  mode_t saved = umask(022);
  int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(inotify_add_watch(watch, dir.path().c_str(), IN_CREATE | IN_ATTRIB), 0);
  TransactedFile tf(dir.file("new").c_str(), false, true);
  umask(saved);
  // Created, and never changed in mode after: others never had a moment to open it.
  alignas(inotify_event) char events[4096];
  ssize_t n = read(watch, events, sizeof(events));
  close(watch);
  auto* e = reinterpret_cast<inotify_event*>(events);
  EXPECT_EQ(n, ssize_t(sizeof(inotify_event) + e->len));  // one event alone
  EXPECT_EQ(e->mask, uint32_t(IN_CREATE));
  EXPECT_EQ(modeOf(tf.tmpPath()), 0600u);
}

TEST_F(TransactedFileTest, FailedOpenNamesTheTemporaryFile) {
  std::string missing = dir.file("missing/t");
  for (bool priv : {false, true})
    expectSystemError([&] { TransactedFile tf(missing.c_str(), false, priv); }, ENOENT,
                      ("fileOpen(" + missing + ".tmp): ").c_str());
}

TEST_F(TransactedFileTest, FailedCommitKeepsTheTargetAndCleansUp) {
  std::string d = dir.file("d");
  mkdir(d.c_str(), 0755);  // a directory cannot be replaced by a file
  mkdir((d + "/inside").c_str(), 0755);
  {
    TransactedFile tf(d.c_str(), false, false);
    EXPECT_THROW(tf.commit(), SystemException);
  }
  EXPECT_TRUE(isDir((d + "/inside").c_str()));
  EXPECT_FALSE(fileExistsNoThrow((d + ".tmp").c_str()));
}
