#include "lib1/plat/Dir.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

#include "lib1/plat/File.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using gwtest::expectSystemError;
using gwtest::TempDir;

namespace {

const uid_t kNobody = 65534;

mode_t modeOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : mode_t(-1);
}

uid_t ownerOf(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 ? st.st_uid : uid_t(-1);
}

// Runs f in a child that has dropped to an unprivileged user; its exit code.
int asNobody(const std::function<int()>& f) {
  pid_t pid = fork();
  if (pid == 0) {
    if (setgroups(0, nullptr) != 0 && geteuid() == 0) _exit(90);
    if (setresgid(kNobody, kNobody, kNobody) != 0 || setresuid(kNobody, kNobody, kNobody) != 0)
      _exit(91);
    _exit(f());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Tests that change owners need to be root, as in CI.
#define REQUIRE_ROOT() \
  if (geteuid() != 0) GTEST_SKIP() << "needs root"

class DirTest : public ::testing::Test {
 protected:
  void SetUp() override { saved = umask(022); }
  void TearDown() override { umask(saved); }
  TempDir dir;
  mode_t saved;
};

}  // namespace

TEST_F(DirTest, MkDirMakesOnceWithTheAskedMode) {
  EXPECT_TRUE(mkDir(dir.file("p").c_str(), true, false));
  EXPECT_EQ(modeOf(dir.file("p")), 0700u);
  EXPECT_TRUE(mkDir(dir.file("o").c_str(), false, false));
  EXPECT_EQ(modeOf(dir.file("o")), 0755u);
  EXPECT_FALSE(mkDir(dir.file("o").c_str(), true, false));
  EXPECT_EQ(modeOf(dir.file("o")), 0755u);  // not made private unless asked
}

TEST_F(DirTest, MkDirOfAnExistingOneCanTakeItOver) {
  REQUIRE_ROOT();
  std::string d = dir.file("d");
  mkdir(d.c_str(), 0775);
  chmod(d.c_str(), 02775);
  ASSERT_EQ(chown(d.c_str(), kNobody, kNobody), 0);
  EXPECT_FALSE(mkDir(d.c_str(), true, true));
  EXPECT_EQ(modeOf(d), 02700u);
  EXPECT_EQ(ownerOf(d), 0u);
}

TEST_F(DirTest, MkDirFailuresNameThePath) {
  std::string f = dir.write("f", "");
  std::string under = f + "/d";
  expectSystemError([&] { mkDir(under.c_str(), false, false); }, ENOTDIR,
                    ("mkDir(" + under + "): ").c_str());
  std::string taken = f;  // exists, but is no directory
  expectSystemError([&] { mkDir(taken.c_str(), false, false); }, EEXIST,
                    ("mkDir(" + taken + "): ").c_str());
}

TEST_F(DirTest, MkPathMakesTheMissingParents) {
  mkdir(dir.file("a").c_str(), 0755);
  EXPECT_TRUE(mkPath(dir.file("a/b/c").c_str(), true, false));
  EXPECT_EQ(modeOf(dir.file("a/b")), 0700u);
  EXPECT_EQ(modeOf(dir.file("a/b/c")), 0700u);
  EXPECT_FALSE(mkPath(dir.file("a/b/c").c_str(), true, false));
  std::string f = dir.write("f", "");
  std::string through = f + "/x/y";
  expectSystemError([&] { mkPath(through.c_str(), false, false); }, ENOTDIR,
                    ("mkDir(" + through + "): ").c_str());
}

TEST_F(DirTest, MkDirMatchParentCopiesOwnerAndMode) {
  REQUIRE_ROOT();
  std::string parent = dir.file("parent");
  mkdir(parent.c_str(), 0777);
  chmod(parent.c_str(), 0777);
  ASSERT_EQ(chown(parent.c_str(), kNobody, kNobody), 0);
  EXPECT_TRUE(mkDirMatchParent((parent + "/open").c_str(), false));
  EXPECT_EQ(modeOf(parent + "/open"), 0755u);  // no group or other write
  EXPECT_EQ(ownerOf(parent + "/open"), kNobody);
  EXPECT_TRUE(mkDirMatchParent((parent + "/priv").c_str(), true));
  EXPECT_EQ(modeOf(parent + "/priv"), 0700u);
  chmod((parent + "/priv").c_str(), 0711);
  EXPECT_FALSE(mkDirMatchParent((parent + "/priv").c_str(), true));
  EXPECT_EQ(modeOf(parent + "/priv"), 0711u);
}

TEST_F(DirTest, RecursiveRemovalNeverFollowsLinks) {
  std::string outside = dir.file("outside");
  mkdir(outside.c_str(), 0755);
  dir.write("outside/keep", "k");
  std::string tree = dir.file("tree");
  mkdir(tree.c_str(), 0755);
  mkdir((tree + "/sub").c_str(), 0755);
  dir.write("tree/sub/f", "");
  dir.write("tree/.hidden", "");
  symlink(outside.c_str(), (tree + "/sub/linkdir").c_str());
  symlink((outside + "/keep").c_str(), (tree + "/linkfile").c_str());
  symlink(outside.c_str(), dir.file("toplink").c_str());

  EXPECT_TRUE(rmDirNoThrow(tree.c_str(), true));
  EXPECT_FALSE(fileExistsNoThrow(tree.c_str()));
  EXPECT_EQ(gwtest::readFile(outside + "/keep"), "k");
  // A link given as the directory is not entered either.
  EXPECT_FALSE(rmDirNoThrow(dir.file("toplink").c_str(), true));
  EXPECT_EQ(errno, ENOTDIR);
  EXPECT_EQ(gwtest::readFile(outside + "/keep"), "k");
}

TEST_F(DirTest, RmDirWithoutRecursionNeedsAnEmptyDirectory) {
  std::string d = dir.file("d");
  mkdir(d.c_str(), 0755);
  dir.write("d/f", "");
  EXPECT_FALSE(rmDirNoThrow(d.c_str(), false));
  expectSystemError([&] { rmDir(d.c_str(), false); }, ENOTEMPTY, ("rmDir(" + d + "): ").c_str());
  rmDir(d.c_str(), true);
  EXPECT_FALSE(isDir(d.c_str()));
}

TEST_F(DirTest, UnremovableEntryMakesTheTwinReturnFalse) {
  REQUIRE_ROOT();
  // nobody owns the tree, but not the sub-directory holding the file.
  std::string tree = dir.file("tree");
  mkdir(tree.c_str(), 0755);
  mkdir((tree + "/locked").c_str(), 0755);
  dir.write("tree/locked/f", "");
  chmod(dir.path().c_str(), 0755);
  ASSERT_EQ(chown(tree.c_str(), kNobody, kNobody), 0);
  int rc = asNobody([&] {
    try {
      bool inner = rmDirNoThrow((tree + "/locked").c_str(), true);
      int innerErr = errno;
      bool outer = rmDirNoThrow(tree.c_str(), true);
      return !inner && innerErr == EACCES && !outer ? 0 : 1;
    } catch (...) {
      return 2;  // the twin let an exception out
    }
  });
  EXPECT_EQ(rc, 0);
  EXPECT_TRUE(fileExistsNoThrow((tree + "/locked/f").c_str()));
}

TEST_F(DirTest, CopyPermsTakesEveryBit) {
  std::string from = dir.write("from", "");
  std::string to = dir.write("to", "");
  chmod(from.c_str(), 02751);
  EXPECT_TRUE(fileCopyPerms(from.c_str(), to.c_str()));
  EXPECT_EQ(modeOf(to), 02751u);
  EXPECT_FALSE(fileCopyPerms(dir.file("missing").c_str(), to.c_str()));
  EXPECT_EQ(modeOf(to), 02751u);
  std::string gone = dir.file("gone");
  expectSystemError([&] { fileCopyPerms(from.c_str(), gone.c_str()); }, ENOENT,
                    ("fileCopyPerms/chmod(" + gone + "): ").c_str());
  std::string through = from + "/x";
  expectSystemError([&] { fileCopyPerms(through.c_str(), to.c_str()); }, ENOTDIR,
                    ("fileCopyPerms/stat(" + through + "): ").c_str());
}

TEST_F(DirTest, MakePrivateClearsGroupAndOtherBits) {
  std::string f = dir.write("f", "");
  chmod(f.c_str(), 04775);
  fileMakePrivate(f.c_str());
  EXPECT_EQ(modeOf(f), 04700u);
  std::string missing = dir.file("missing");
  expectSystemError([&] { fileMakePrivate(missing.c_str()); }, ENOENT,
                    ("fileMakePrivate/stat(" + missing + "): ").c_str());
}

TEST_F(DirTest, MakePrivateTakesTheFileOver) {
  REQUIRE_ROOT();
  std::string f = dir.write("f", "");
  chmod(f.c_str(), 0);
  ASSERT_EQ(chown(f.c_str(), kNobody, kNobody), 0);
  fileMakePrivate(f.c_str());
  EXPECT_EQ(ownerOf(f), 0u);
  EXPECT_EQ(modeOf(f), 0u);
}

TEST_F(DirTest, MakePrivateRefusesToFollowALink) {
  std::string target = dir.write("target", "");
  chmod(target.c_str(), 0666);
  std::string link = dir.file("link");
  symlink(target.c_str(), link.c_str());
  expectSystemError([&] { fileMakePrivate(link.c_str()); }, ELOOP,
                    ("fileMakePrivate/stat(" + link + "): ").c_str());
  EXPECT_EQ(modeOf(target), 0666u);
}

TEST_F(DirTest, MakePrivateFailuresNameTheStep) {
  REQUIRE_ROOT();
  std::string f = dir.write("f", "");
  chmod(f.c_str(), 0644);
  chmod(dir.path().c_str(), 0755);
  int rc = asNobody([&] {
    try {
      fileMakePrivate(f.c_str());
    } catch (SystemException& e) {
      return e.err == EPERM &&
                     std::string(e.str()).rfind("fileMakePrivate/chown(" + f + ")", 0) == 0
                 ? 0
                 : 1;
    }
    return 2;
  });
  EXPECT_EQ(rc, 0);
}
