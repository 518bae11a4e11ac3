#include "lib1/plat/Dir.h"

#include <grp.h>
#include <gtest/gtest.h>

#include "lib1/plat/File.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

const uid_t kNobody = 65534;

// The exit code of f run in a child that has dropped to an unprivileged user.
int asNobody(const std::function<int()>& f) {
  return exitCodeOf(startChild([&] {
    bool dropped = setgroups(0, nullptr) == 0 && setresgid(kNobody, kNobody, kNobody) == 0 &&
                   setresuid(kNobody, kNobody, kNobody) == 0;
    return dropped ? f() : 91;
  }));
}

// Tests that change owners need to be root, as in CI.
#define REQUIRE_ROOT() \
  if (geteuid() != 0) GTEST_SKIP() << "needs root"

class DirTest : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = umask(022); }
  void TearDown() override { umask(saved_); }
  // A directory of the given mode, owned by nobody; its path.
  std::string nobodysDir(const char* name, mode_t mode) {
    std::string d = dir.file(name);
    mkdir(d.c_str(), 0700);
    EXPECT_EQ(chown(d.c_str(), kNobody, kNobody), 0);
    chmod(d.c_str(), mode);
    return d;
  }
  TempDir dir;

 private:
  mode_t saved_;
};

}  // namespace

TEST_F(DirTest, MakesOnlyMissingDirectoriesWithTheAskedMode) {
  EXPECT_TRUE(mkDir(dir.file("o").c_str(), false, false));
  EXPECT_TRUE(mkPath(dir.file("p/q").c_str(), true, false));
  EXPECT_FALSE(mkDir(dir.file("o").c_str(), true, false));
  EXPECT_FALSE(mkPath(dir.file("p/q").c_str(), true, false));
  EXPECT_EQ(modeOf(dir.file("o")), 0755u);  // not made private unless asked
  EXPECT_EQ(modeOf(dir.file("p")), 0700u);
  EXPECT_EQ(modeOf(dir.file("p/q")), 0700u);
}

TEST_F(DirTest, MkDirOfAnExistingOneCanTakeItOver) {
  REQUIRE_ROOT();
  std::string d = nobodysDir("d", 02775);
  EXPECT_FALSE(mkDir(d.c_str(), true, true));
  EXPECT_EQ(modeOf(d), 02700u);
  EXPECT_EQ(ownerOf(d), 0u);
}

TEST_F(DirTest, MkDirMatchParentCopiesOwnerButNotOpenness) {
  REQUIRE_ROOT();
  std::string parent = nobodysDir("parent", 0777);
  EXPECT_TRUE(mkDirMatchParent((parent + "/open").c_str(), false));
  EXPECT_TRUE(mkDirMatchParent((parent + "/priv").c_str(), true));
  EXPECT_EQ(modeOf(parent + "/open"), 0755u);
  EXPECT_EQ(ownerOf(parent + "/open"), kNobody);
  EXPECT_EQ(modeOf(parent + "/priv"), 0700u);
}

TEST_F(DirTest, FailuresNameTheStepAndPath) {
  std::string f = dir.write("f", "");
  std::string full = dir.file("full");
  mkdir(full.c_str(), 0755);
  dir.write("full/x", "");
  std::string gone = dir.file("gone");
  std::string link = dir.file("link");
  symlink(full.c_str(), link.c_str());
  const char* fc = f.c_str();
  FileFailure cases[] = {
      {[&] { mkDir((f + "/d").c_str(), false, false); }, nullptr, ENOTDIR, "mkDir(" + f + "/d): "},
      {[&] { mkDir(fc, false, false); }, nullptr, EEXIST, "mkDir(" + f + "): "},
      {[&] { mkPath((f + "/x/y").c_str(), false, false); }, nullptr, ENOTDIR,
       "mkDir(" + f + "/x/y): "},
      {[&] { rmDir(full.c_str(), false); }, [&] { return rmDirNoThrow(full.c_str(), false); },
       ENOTEMPTY, "rmDir(" + full + "): "},
      // A link given as the directory is not entered.
      {[&] { rmDir(link.c_str(), true); }, [&] { return rmDirNoThrow(link.c_str(), true); },
       ENOTDIR, "rmDir(" + link + "): "},
      {[&] { fileCopyPerms(fc, gone.c_str()); }, nullptr, ENOENT,
       "fileCopyPerms/chmod(" + gone + "): "},
      {[&] { fileCopyPerms((f + "/x").c_str(), fc); }, nullptr, ENOTDIR,
       "fileCopyPerms/stat(" + f + "/x): "},
      {[&] { fileMakePrivate(gone.c_str()); }, nullptr, ENOENT,
       "fileMakePrivate/stat(" + gone + "): "},
  };
  for (auto& c : cases) expectFailure(c);
  EXPECT_EQ(readFile(full + "/x"), "");
}

TEST_F(DirTest, RecursiveRemovalNeverFollowsLinks) {
  std::string keep = dir.write("keep", "k");
  mkdir(dir.file("tree").c_str(), 0755);
  mkdir(dir.file("tree/sub").c_str(), 0755);
  dir.write("tree/.hidden", "");
  symlink(dir.path().c_str(), dir.file("tree/sub/linkdir").c_str());
  symlink(keep.c_str(), dir.file("tree/linkfile").c_str());
  EXPECT_TRUE(rmDirNoThrow(dir.file("tree").c_str(), true));
  EXPECT_FALSE(fileExistsNoThrow(dir.file("tree").c_str()));
  EXPECT_EQ(readFile(keep), "k");
}

TEST_F(DirTest, UnremovableEntryMakesTheTwinReturnFalse) {
  REQUIRE_ROOT();
  // nobody owns the tree, but not the sub-directory holding the file.
  chmod(dir.path().c_str(), 0755);
  std::string tree = nobodysDir("tree", 0755);
  mkdir((tree + "/locked").c_str(), 0755);
  dir.write("tree/locked/f", "");
  EXPECT_EQ(asNobody([&] {
              bool inner = rmDirNoThrow((tree + "/locked").c_str(), true);
              int innerErr = errno;
              return !inner && innerErr == EACCES && !rmDirNoThrow(tree.c_str(), true) ? 0 : 1;
            }),
            0);
  EXPECT_TRUE(fileExistsNoThrow((tree + "/locked/f").c_str()));
}

TEST_F(DirTest, CopyPermsTakesEveryBitAndSkipsAMissingSource) {
  std::string from = dir.write("from", "");
  std::string to = dir.write("to", "");
  chmod(from.c_str(), 02751);
  EXPECT_TRUE(fileCopyPerms(from.c_str(), to.c_str()));
  EXPECT_FALSE(fileCopyPerms(dir.file("missing").c_str(), to.c_str()));
  EXPECT_EQ(modeOf(to), 02751u);
}

TEST_F(DirTest, MakePrivateTakesTheFileAndClearsGroupAndOtherBits) {
  std::string f = dir.write("f", "");
  if (geteuid() == 0) {
    ASSERT_EQ(chown(f.c_str(), kNobody, kNobody), 0);
  }
  chmod(f.c_str(), 04775);
  fileMakePrivate(f.c_str());
  EXPECT_EQ(modeOf(f), 04700u);
  EXPECT_EQ(ownerOf(f), geteuid());
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

TEST_F(DirTest, MakePrivateOfAnotherUsersFileFailsAtChown) {
  REQUIRE_ROOT();
  std::string f = dir.write("f", "");
  chmod(dir.path().c_str(), 0755);
  std::string prefix = "fileMakePrivate/chown(" + f + "): ";
  EXPECT_EQ(
      asNobody([&] { return failureOf([&] { fileMakePrivate(f.c_str()); }).rfind(prefix, 0); }), 0);
}
