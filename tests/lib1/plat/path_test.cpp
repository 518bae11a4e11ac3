#include "lib1/plat/Path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using gwtest::expectSystemError;
using gwtest::TempDir;

TEST(Path, CanonicalFormTable) {
  const char* cases[][2] = {
      {"///a//b//", "/a/b"},
      {"a/./b", "a/b"},
      {"a/b/..", "a"},
      {"a/..", "."},
      {"a/../../b", "../b"},
      {"/a/b/../c", "/a/c"},
      {"", "."},
      {".", "."},
      {"./", "."},
      {"/", "/"},
      {"/..", "/"},
      {"/../a", "/a"},
      {"../..", "../.."},
      {"a/../..", ".."},
      {".../.a/b c", ".../.a/b c"},
  };
  for (auto& c : cases) EXPECT_STREQ(CanonicalName(c[0]), c[1]) << c[0];
}

TEST(Path, DirNameTable) {
  const char* cases[][2] = {
      {"/", "/"},      {"/a", "/"},       {"a", "."},      {"a/b", "a"},
      {"/a/b/", "/a"}, {".", ".."},       {"..", "../.."}, {"../..", "../../.."},
      {"", ".."},      {"a/b/../c", "a"},
  };
  for (auto& c : cases) EXPECT_STREQ(DirName(c[0]), c[1]) << c[0];
}

TEST(Path, BaseNameTable) {
  const char* cases[][3] = {
      {"/", nullptr, "/"},       {".", nullptr, "."},
      {"/a/b/", nullptr, "b"},   {"..", nullptr, "."},
      {"a/../..", nullptr, "."}, {"prog.exe", ".exe", "prog"},
      {".exe", ".exe", ".exe"},  {"/x/prog.exe", ".bin", "prog.exe"},
      {"/", "/", "/"},
  };
  for (auto& c : cases) EXPECT_STREQ(BaseName(c[0], c[1]), c[2]) << c[0];
}

TEST(Path, AbsoluteAndParentTests) {
  EXPECT_TRUE(isAbsolutePath("/x"));
  EXPECT_FALSE(isAbsolutePath("x/"));
  EXPECT_FALSE(isAbsolutePath(""));
  EXPECT_FALSE(hasParentDir("/"));
  EXPECT_TRUE(hasParentDir("//"));
  EXPECT_TRUE(hasParentDir("/a"));
  EXPECT_TRUE(hasParentDir("a"));
}

class RealPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mkdir(dir.file("d").c_str(), 0755);
    dir.write("d/f", "x");
    real = std::string(RealPath(dir.path().c_str()).get());
  }
  TempDir dir;
  std::string real;  // the temporary directory without links
};

TEST_F(RealPathTest, ResolvesAbsoluteAndRelativeLinks) {
  symlink("d/f", dir.file("rel").c_str());
  symlink((real + "/d").c_str(), dir.file("abs").c_str());
  symlink("../abs/./f", dir.file("d/up").c_str());
  EXPECT_EQ(std::string(RealPath(dir.file("rel").c_str())), real + "/d/f");
  EXPECT_EQ(std::string(RealPath(dir.file("abs/f").c_str())), real + "/d/f");
  EXPECT_EQ(std::string(RealPath(dir.file("d/up").c_str())), real + "/d/f");
  EXPECT_EQ(std::string(RealPath(dir.file("abs/../d").c_str())), real + "/d");
}

TEST_F(RealPathTest, RelativePathsStartAtTheCurrentDirectory) {
  std::string before = CurrentDirectory().get();
  ASSERT_EQ(chdir(dir.file("d").c_str()), 0);
  std::string got = RealPath("f").get();
  std::string cwd = RealPath("").get();
  ASSERT_EQ(chdir(before.c_str()), 0);
  EXPECT_EQ(got, real + "/d/f");
  EXPECT_EQ(cwd, real + "/d");
}

TEST_F(RealPathTest, FailuresNameTheCallersPath) {
  symlink("loop2", dir.file("loop1").c_str());
  symlink("loop1", dir.file("loop2").c_str());
  std::string loop = dir.file("loop1/x");
  std::string missing = dir.file("d/nothing/f");
  std::string throughFile = dir.file("d/f/g");
  expectSystemError([&] { RealPath r(loop.c_str()); }, ELOOP, ("realpath(" + loop + "): ").c_str());
  expectSystemError([&] { RealPath r(missing.c_str()); }, ENOENT,
                    ("realpath(" + missing + "): No such file").c_str());
  expectSystemError([&] { RealPath r(throughFile.c_str()); }, ENOTDIR,
                    ("realpath(" + throughFile + "): ").c_str());
}

TEST(CurrentDirectory, GrowsPastItsFirstBuffer) {
  TempDir dir;
  std::string before = CurrentDirectory().get();
  std::string deep = dir.path();
  std::string component(200, 'd');
  for (int i = 0; i < 8; i++) {
    deep += "/" + component;
    ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
  }
  ASSERT_EQ(chdir(deep.c_str()), 0);
  std::string got = CurrentDirectory().get();
  ASSERT_EQ(chdir(before.c_str()), 0);
  EXPECT_GT(got.size(), 1024u);
  EXPECT_EQ(got, std::string(RealPath(deep.c_str()).get()));
}
