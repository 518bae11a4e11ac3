#include "lib1/plat/Dir.h"

#include <gtest/gtest.h>

#include "lib1/plat/File.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

struct DirTest : testing::Test {
  DirTest() : saved(umask(022)) {}
  ~DirTest() override { umask(saved); }
  mode_t saved;
  TempDir dir;
};

}  // namespace

TEST_F(DirTest, MakesOnlyMissingDirectoriesWithTheAskedMode) {
  EXPECT_TRUE(mkDir(dir.file("o").c_str(), false, false));
  EXPECT_TRUE(mkPath(dir.file("p/q").c_str(), true, false));
  EXPECT_FALSE(mkDir(dir.file("o").c_str(), true, false));
  EXPECT_EQ(modeOf(dir.file("o")), 0755u);  // an existing one is not made private unless asked
  EXPECT_EQ(modeOf(dir.file("p/q")), 0700u);
}

TEST_F(DirTest, FailuresNameTheStepAndPath) {
  std::string f = dir.write("f", "");
  std::string full = dir.file("full");
  mkdir(full.c_str(), 0755);
  dir.write("full/x", "");
  std::string gone = dir.file("gone"), link = dir.file("link");
  symlink(full.c_str(), link.c_str());
  FileFailure cases[] = {
      {[&] { mkDir((f + "/d").c_str(), false, false); }, nullptr, ENOTDIR, "mkDir(" + f + "/d): "},
      {[&] { rmDir(full.c_str(), false); }, [&] { return rmDirNoThrow(full.c_str(), false); },
       ENOTEMPTY, "rmDir(" + full + "): "},
      // A link given as the directory is not entered.
      {[&] { rmDir(link.c_str(), true); }, [&] { return rmDirNoThrow(link.c_str(), true); },
       ENOTDIR, "rmDir(" + link + "): "},
      {[&] { fileCopyPerms(f.c_str(), gone.c_str()); }, nullptr, ENOENT,
       "fileCopyPerms/chmod(" + gone + "): "},
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

TEST_F(DirTest, MakePrivateTakesTheFileAndClearsGroupAndOtherBits) {
  std::string f = dir.write("f", "");
  ASSERT_TRUE(geteuid() != 0 || chown(f.c_str(), 65534, 65534) == 0);  // root gives it away
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
