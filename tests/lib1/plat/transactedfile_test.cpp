#include "lib1/plat/TransactedFile.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib1/plat/File.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using gwtest::readFile;
using gwtest::TempDir;

namespace {

mode_t modeOf(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : mode_t(-1);
}

}  // namespace

TEST(TransactedFile, CommitPutsTheWholeContentInPlace) {
  TempDir dir;
  std::string target = dir.write("t", "old");
  {
    TransactedFile tf(target.c_str(), false, false);
    EXPECT_EQ(std::string(tf.tmpPath()), target + ".tmp");
    fputs("new content", tf.file);
    EXPECT_EQ(readFile(target), "old");  // readers see the old file meanwhile
    tf.commit();
    EXPECT_EQ(tf.tmpPath(), nullptr);
    tf.commit();  // harmless
  }
  EXPECT_EQ(readFile(target), "new content");
  EXPECT_FALSE(fileExistsNoThrow((target + ".tmp").c_str()));
}

TEST(TransactedFile, WithoutCommitNothingChangesAndNoTraceIsLeft) {
  TempDir dir;
  std::string target = dir.write("t", "old");
  {
    TransactedFile tf(target.c_str(), true, false);
    fputs("half-written", tf.file);
  }
  EXPECT_EQ(readFile(target), "old");
  EXPECT_FALSE(fileExistsNoThrow((target + ".tmp").c_str()));
  { TransactedFile tf(dir.file("fresh").c_str(), false, false); }
  EXPECT_FALSE(fileExistsNoThrow(dir.file("fresh").c_str()));
  EXPECT_FALSE(fileExistsNoThrow(dir.file("fresh.tmp").c_str()));
}

TEST(TransactedFile, ReplacedFileKeepsItsPermissions) {
  TempDir dir;
  std::string target = dir.write("t", "old");
  chmod(target.c_str(), 0604);
  TransactedFile tf(target.c_str(), false, false);
  tf.commit();
  EXPECT_EQ(modeOf(target), 0604u);
}

TEST(TransactedFile, PrivateTemporaryIsNeverOpenToOthers) {
  TempDir dir;
  std::string target = dir.write("t", "old");
  chmod(target.c_str(), 0644);
  // A stale temporary file from an earlier run, open to everyone.
  std::string stale = dir.write("t.tmp", "stale");
  chmod(stale.c_str(), 0666);
  TransactedFile tf(target.c_str(), false, true);
  EXPECT_EQ(modeOf(stale), 0600u);
  EXPECT_EQ(readFile(stale), "");
  tf.commit();
  EXPECT_EQ(modeOf(target), 0600u);
}

TEST(TransactedFile, PrivateTemporaryIsBornPrivate) {
  TempDir dir;
  mode_t saved = umask(022);
  int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(inotify_add_watch(watch, dir.path().c_str(), IN_CREATE | IN_ATTRIB), 0);
  TransactedFile tf(dir.file("t").c_str(), false, true);
  umask(saved);
  // Created, and never had its mode changed afterwards: there was no moment
  // in which others could open it.
  alignas(inotify_event) char events[4096];
  ssize_t n = read(watch, events, sizeof(events));
  close(watch);
  uint32_t seen = 0;
  for (ssize_t at = 0; at < n;) {
    auto* e = reinterpret_cast<inotify_event*>(events + at);
    seen |= e->mask;
    at += ssize_t(sizeof(inotify_event) + e->len);
  }
  EXPECT_TRUE(seen & IN_CREATE);
  EXPECT_FALSE(seen & IN_ATTRIB);
  EXPECT_EQ(modeOf(tf.tmpPath()), 0600u);
}

TEST(TransactedFile, FailedOpenThrowsAndLeavesNothing) {
  TempDir dir;
  std::string target = dir.file("missing/t");
  for (bool priv : {false, true})
    gwtest::expectSystemError([&] { TransactedFile tf(target.c_str(), false, priv); }, ENOENT,
                              ("fileOpen(" + target + ".tmp): ").c_str());
}

TEST(TransactedFile, FailedCommitKeepsTheTargetAndCleansUp) {
  TempDir dir;
  std::string target = dir.file("t");
  mkdir(target.c_str(), 0755);  // a directory cannot be replaced by a file
  mkdir((target + "/inside").c_str(), 0755);
  {
    TransactedFile tf(target.c_str(), false, false);
    EXPECT_THROW(tf.commit(), SystemException);
  }
  EXPECT_TRUE(isDir((target + "/inside").c_str()));
  EXPECT_FALSE(fileExistsNoThrow((target + ".tmp").c_str()));
}

TEST(TransactedFile, SuffixCanBeChanged) {
  TempDir dir;
  std::string target = dir.file("t");
  const char* saved = TransactedFile::suffix;
  TransactedFile::suffix = ".new";
  TransactedFile tf(target.c_str(), false, false);
  TransactedFile::suffix = saved;
  EXPECT_EQ(std::string(tf.tmpPath()), target + ".new");
  EXPECT_TRUE(fileExistsNoThrow((target + ".new").c_str()));
}
