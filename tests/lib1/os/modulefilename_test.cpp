#include "lib1/os/ModuleFileName.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib1/plat/Path.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace os;
using gwtest::TempDir;

namespace {

// Sets PATH for one test and puts the old value back.
class PathVar {
 public:
  explicit PathVar(const std::string& value) {
    const char* old = getenv("PATH");
    had_ = old != nullptr;
    if (old) old_ = old;
    setenv("PATH", value.c_str(), 1);
  }
  ~PathVar() {
    if (had_)
      setenv("PATH", old_.c_str(), 1);
    else
      unsetenv("PATH");
  }

 private:
  bool had_;
  std::string old_;
};

std::string found(const char* name, bool searchPath) {
  std::unique_ptr<char[]> p(getExecutableFile(name, searchPath));
  return p ? p.get() : "(null)";
}

std::string real(const char* path) { return plat::RealPath(path).get(); }

}  // namespace

TEST(ExecutableFile, SearchStopsAtTheFirstElementWhereTheNameExists) {
  TempDir dir;
  dir.write("tool", "");  // not executable
  PathVar path("/nonexistent:" + dir.path() + ":/bin");
  EXPECT_EQ(found("sh", true), real("/bin/sh"));
  symlink("/bin/sh", dir.file("sh").c_str());
  EXPECT_EQ(found("sh", true), real("/bin/sh"));  // canonical, links resolved
  EXPECT_EQ(found("tool", true), "(null)");       // /bin/tool is never tried
  mkdir(dir.file("true").c_str(), 0755);          // exists, but is a directory
  EXPECT_EQ(found("true", true), "(null)");
  EXPECT_EQ(found("nothing-like-this", true), "(null)");
}

TEST(ExecutableFile, EmptyElementMeansTheRoot) {
  PathVar path(":/nonexistent");
  EXPECT_EQ(found("bin", true), "(null)");  // /bin is a directory
  PathVar path2("/nonexistent:");
  EXPECT_EQ(found("sh", true), "(null)");
}

TEST(ExecutableFile, TildeInPathIsRefusedOnlyWhenSearching) {
  PathVar path("~/bin:/bin");
  EXPECT_EQ(gwtest::failureOf([] { found("sh", true); }), "PATH contains invalid '~' character");
  EXPECT_EQ(found("/bin/sh", true), real("/bin/sh"));
  EXPECT_EQ(found("sh", false), "(null)");
}

TEST(ExecutableFile, NamesWithASlashAreCheckedAlone) {
  TempDir dir;
  std::string plain = dir.write("plain", "");
  std::string exe = dir.write("exe", "");
  chmod(exe.c_str(), 0755);
  EXPECT_EQ(found(plain.c_str(), true), "(null)");
  EXPECT_EQ(found(exe.c_str(), false), real(exe.c_str()));
  EXPECT_EQ(found(nullptr, true), "(null)");
  PathVar path("/bin");
  EXPECT_EQ(found("./sh", true), "(null)");
}

TEST(ModuleFileName, OwnPathIsTheRunningExecutable) {
  ModuleFileName::setArgv0("whatever-argv0-says");
  EXPECT_EQ(std::string(ModuleFileName().get()), real("/proc/self/exe"));
  EXPECT_EQ(std::string(ModuleDirName().get()),
            std::string(plat::DirName(real("/proc/self/exe").c_str())));
}

TEST(ModuleFileName, NamesAreLookedForBesideTheProgramFirst) {
  ModuleFileName::setArgv0(nullptr);
  std::string self = real("/proc/self/exe");
  std::string base = plat::BaseName(self.c_str()).get();
  PathVar path("/nonexistent");
  EXPECT_EQ(std::string(ModuleFileName(base.c_str()).get()), self);
  EXPECT_EQ(ModuleFileName("sh").get(), nullptr);
  PathVar path2("/bin");
  EXPECT_EQ(ModuleFileName("sh", false, false).get(), nullptr);
  EXPECT_EQ(std::string(ModuleFileName("sh", false, true).get()), real("/bin/sh"));
}

TEST(ModuleFileName, MissingNamesThrowOnlyWhenAsked) {
  gwtest::expectSystemError([] { ModuleFileName m("no-such-tool", true, true); }, ENOENT,
                            "no-such-tool does not exist or is not executable");
  EXPECT_EQ(ModuleDirName("no-such-tool", false, true).get(), nullptr);
}

TEST(ModuleFileName, SetuidRootNeedsOwnerBitAndExecute) {
  TempDir dir;
  std::string f = dir.write("f", "");
  EXPECT_FALSE(isSetuidRootExe(nullptr));
  EXPECT_FALSE(isSetuidRootExe(dir.file("missing").c_str()));
  if (geteuid() != 0) GTEST_SKIP() << "needs root to own the file";
  chmod(f.c_str(), 04755);
  EXPECT_TRUE(isSetuidRootExe(f.c_str()));
  chmod(f.c_str(), 04644);
  EXPECT_FALSE(isSetuidRootExe(f.c_str()));
  chmod(f.c_str(), 04755);
  symlink(f.c_str(), dir.file("link").c_str());
  EXPECT_FALSE(isSetuidRootExe(dir.file("link").c_str()));  // the link itself
  ASSERT_EQ(chown(f.c_str(), 65534, 65534), 0);
  chmod(f.c_str(), 04755);
  EXPECT_FALSE(isSetuidRootExe(f.c_str()));
}
