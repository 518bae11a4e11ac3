#include "lib1/plat/TransactedFile.h"

#include <gtest/gtest.h>
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
