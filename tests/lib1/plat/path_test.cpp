// Canonical names, DirName and BaseName are compared against a model by
// fuzz/fuzz_path.cpp; these are the cases at the edges of that model.
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

TEST(Path, LexicalEdgeCases) {
  EXPECT_STREQ(CanonicalName(""), ".");
  EXPECT_STREQ(CanonicalName("/../a"), "/a");
  EXPECT_STREQ(CanonicalName("a/../../b"), "../b");
  EXPECT_STREQ(DirName(""), "..");
  EXPECT_STREQ(DirName(".."), "../..");
  EXPECT_STREQ(BaseName("/", nullptr), "/");
  EXPECT_STREQ(BaseName("a/../..", nullptr), ".");
  EXPECT_TRUE(hasParentDir("//"));
  EXPECT_FALSE(hasParentDir("/"));
  EXPECT_FALSE(isAbsolutePath(""));
}

TEST(Path, BaseNameDropsOnlyAWholeSuffix) {
  EXPECT_STREQ(BaseName("/x/prog.exe", ".exe"), "prog");
  EXPECT_STREQ(BaseName(".exe", ".exe"), ".exe");
  EXPECT_STREQ(BaseName("prog.exe", ".bin"), "prog.exe");
}

class RealPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mkdir(dir.file("d").c_str(), 0755);
    dir.write("d/f", "x");
    real = RealPath(dir.path().c_str()).get();
  }
  std::string resolved(const std::string& name) { return RealPath(dir.file(name).c_str()).get(); }
  gwtest::TempDir dir;
  std::string real;  // the temporary directory without links
};

TEST_F(RealPathTest, ResolvesAbsoluteAndRelativeLinks) {
  symlink((real + "/d").c_str(), dir.file("abs").c_str());
  symlink("../abs/./f", dir.file("d/up").c_str());
  EXPECT_EQ(resolved("d/up"), real + "/d/f");
  EXPECT_EQ(resolved("abs/../d"), real + "/d");
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
  struct {
    const char* name;
    int err;
  } cases[] = {{"loop1/x", ELOOP}, {"d/nothing/f", ENOENT}, {"d/f/g", ENOTDIR}};
  for (auto& c : cases)
    expectSystemError([&] { resolved(c.name); }, c.err,
                      ("realpath(" + dir.file(c.name) + "): ").c_str());
}

TEST(CurrentDirectory, GrowsPastItsFirstBuffer) {
  gwtest::TempDir dir;
  std::string before = CurrentDirectory().get();
  std::string deep = dir.path();
  for (int i = 0; i < 8; i++) {
    deep += "/" + std::string(200, 'd');
    ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
  }
  ASSERT_EQ(chdir(deep.c_str()), 0);
  std::string got = CurrentDirectory().get();
  ASSERT_EQ(chdir(before.c_str()), 0);
  EXPECT_EQ(got, std::string(RealPath(deep.c_str()).get()));
}
