#include "lib1/os/ModuleFileName.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
  std::string sh = real("/bin/sh");
  const std::string cases[][4] = {
      {"/nonexistent:" + d + ":/bin", "sh", "1", sh},          // canonical, links resolved
      {"/nonexistent:" + d + ":/bin", "tool", "1", "(null)"},  // /bin/tool never tried
      {"/nonexistent:" + d + ":/bin", "true", "1", "(null)"},  // a directory
      {"/nonexistent:", "sh", "1", "(null)"},                  // the empty element is the root
      {"~/bin:/bin", "/bin/sh", "1", sh},  // a name with a slash is checked alone
      {"/bin", "sh", "", "(null)"},
      {"", d + "/exe", "", real(d + "/exe")},
  };
  for (auto& [path, name, search, expected] : cases) {
    PathVar var(path);
    EXPECT_EQ(found(name.c_str(), !search.empty()), expected) << path << " " << name;
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
