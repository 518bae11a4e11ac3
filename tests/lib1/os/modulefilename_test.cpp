#include "lib1/os/ModuleFileName.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "lib1/plat/Path.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace os;

namespace {

// Sets PATH for one test and puts the old value back.
struct PathVar {
  explicit PathVar(const std::string& value) { setenv("PATH", value.c_str(), 1); }
  ~PathVar() { setenv("PATH", old.c_str(), 1); }
  std::string old = getenv("PATH") ? getenv("PATH") : "";
};

std::string found(const char* name, bool searchPath = true) {
  std::unique_ptr<char[]> p(getExecutableFile(name, searchPath));
  return p ? p.get() : "(null)";
}

std::string real(const std::string& path) { return plat::RealPath(path.c_str()).get(); }

}  // namespace

TEST(ExecutableFile, SearchTakesTheFirstElementWhereTheNameExists) {
  gwtest::TempDir dir;
  std::string d = dir.path();
  dir.write("tool", "");  // not executable
  chmod(dir.write("exe", "").c_str(), 0755);
  mkdir(dir.file("true").c_str(), 0755);
  symlink("/bin/sh", dir.file("sh").c_str());
  std::string sh = real("/bin/sh");
  struct {
    std::string path, name;
    bool search;
    std::string expected;
  } cases[] = {
      {"/nonexistent:" + d + ":/bin", "sh", true, sh},          // canonical, links resolved
      {"/nonexistent:" + d + ":/bin", "tool", true, "(null)"},  // /bin/tool never tried
      {"/nonexistent:" + d + ":/bin", "true", true, "(null)"},  // a directory
      {"/nonexistent:", "sh", true, "(null)"},                  // the empty element is the root
      {"~/bin:/bin", "/bin/sh", true, sh},  // a name with a slash is checked alone
      {"/bin", "sh", false, "(null)"},
      {"/bin", "./sh", true, "(null)"},
      {"", d + "/exe", false, real(d + "/exe")},
  };
  for (auto& c : cases) {
    PathVar path(c.path);
    EXPECT_EQ(found(c.name.c_str(), c.search), c.expected) << c.path << " " << c.name;
  }
  EXPECT_EQ(found(nullptr), "(null)");
}

TEST(ExecutableFile, TildeInPathIsRefusedWhenSearching) {
  PathVar path("~/bin:/bin");
  EXPECT_EQ(gwtest::failureOf([] { found("sh"); }), "PATH contains invalid '~' character");
}

TEST(ModuleFileName, OwnPathIsTheRunningExecutableWhateverArgv0Says) {
  ModuleFileName::setArgv0("whatever-argv0-says");
  EXPECT_EQ(std::string(ModuleFileName().get()), real("/proc/self/exe"));
  EXPECT_STREQ(ModuleDirName().get(), plat::DirName(real("/proc/self/exe").c_str()));
}

TEST(ModuleFileName, MissingNamesThrowOnlyWhenAsked) {
  gwtest::expectSystemError([] { ModuleFileName m("no-such-tool", true, true); }, ENOENT,
                            "no-such-tool does not exist or is not executable");
  EXPECT_EQ(ModuleDirName("no-such-tool", false, true).get(), nullptr);
}

TEST(ModuleFileName, SetuidRootNeedsRootOwnerSetuidAndExecute) {
  gwtest::TempDir dir;
  std::string f = dir.write("f", "");
  EXPECT_FALSE(isSetuidRootExe(nullptr));
  EXPECT_FALSE(isSetuidRootExe(dir.file("missing").c_str()));
  if (geteuid() != 0) GTEST_SKIP() << "needs root to own the file";
  symlink(f.c_str(), dir.file("link").c_str());
  chmod(f.c_str(), 04755);
  EXPECT_TRUE(isSetuidRootExe(f.c_str()));
  EXPECT_FALSE(isSetuidRootExe(dir.file("link").c_str()));  // the link itself
  chmod(f.c_str(), 04644);
  EXPECT_FALSE(isSetuidRootExe(f.c_str()));
  ASSERT_EQ(chown(f.c_str(), 65534, 65534), 0);
  chmod(f.c_str(), 04755);
  EXPECT_FALSE(isSetuidRootExe(f.c_str()));
}
