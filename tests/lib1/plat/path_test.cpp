// fuzz/fuzz_path.cpp checks canonical names, DirName and BaseName against a model
// that cannot rebuild paths ending in ".." or "/"; these cases pin those.
#include "lib1/plat/Path.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;

TEST(Path, PartsOfPathsThatEndInParentsOrRoots) {
  EXPECT_STREQ(DirName(""), "..");
  EXPECT_STREQ(DirName(".."), "../..");
  EXPECT_STREQ(BaseName("/", nullptr), "/");
  EXPECT_STREQ(BaseName("a/../..", nullptr), ".");
  EXPECT_TRUE(hasParentDir("//"));
}

// Each test runs inside a fresh directory holding d/f.
struct RealPathTest : testing::Test {
  void SetUp() override {
    before = CurrentDirectory().get();
    mkdir(dir.file("d").c_str(), 0755);
    dir.write("d/f", "x");
    real = RealPath(dir.path().c_str()).get();
    ASSERT_EQ(chdir(real.c_str()), 0);
  }
  void TearDown() override { EXPECT_EQ(chdir(before.c_str()), 0); }
  gwtest::TempDir dir;
  std::string real;  // the temporary directory without links
  std::string before;
};

TEST_F(RealPathTest, ResolvesLinksAndRelativePaths) {
  symlink((real + "/d").c_str(), "abs");
  symlink("../abs/./f", "d/up");
  const char* cases[][2] = {{"d/up", "/d/f"}, {"abs/../d", "/d"}, {"d/f", "/d/f"}, {"", ""}};
  for (auto& c : cases) EXPECT_EQ(std::string(RealPath(c[0]).get()), real + c[1]) << c[0];
}

TEST_F(RealPathTest, FailuresNameTheCallersPath) {
  symlink("loop2", "loop1");
  symlink("loop1", "loop2");
  for (auto [name, err] :
       {std::pair{"loop1/x", ELOOP}, {"d/nothing/f", ENOENT}, {"d/f/g", ENOTDIR}})
    gwtest::expectSystemError([&] { RealPath r(name); }, err,
                              (std::string("realpath(") + name + "): ").c_str());
}
