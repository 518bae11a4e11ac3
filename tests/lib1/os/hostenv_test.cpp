#include "lib1/os/HostEnv.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/TempDir.h"

using namespace os;

extern char** environ;

namespace {

struct Setting {
  std::string name;
  std::string value;  // "(null)" when the line has no "="
};

Setting readOne(const char* text) {
  rdr::MemInStream in(text, int(strlen(text)));
  plat::DString line;
  const char* value = readShellSetting(&in, &line);
  return {line.get(), value ? value : "(null)"};
}

}  // namespace

TEST(ShellSetting, UnquotesLikeAShell) {
  struct {
    const char* line;
    const char* name;
    const char* value;
  } cases[] = {
      {"PRETTY_HOSTNAME=\"My \\\"big\\\" \\$box\"\n", "PRETTY_HOSTNAME", "My \"big\" $box"},
      {"A='it\\s here'\n", "A", "it\\s here"},
      {"A=\"keep \\n other\"", "A", "keep \\n other"},
      {"A=\"a\\\\b\\`c\\'d\"", "A", "a\\b`c'd"},
      {"A=plain \"x\"", "A", "plain \"x\""},
      {"A=\"unclosed", "A", "unclosed"},
      {"A='", "A", ""},
      {"A=\"", "A", ""},
      {" A = b=c", " A ", " b=c"},
      {"A=", "A", ""},
      {"no equals sign\n", "no equals sign", "(null)"},
  };
  for (auto& c : cases) {
    Setting s = readOne(c.line);
    EXPECT_EQ(s.name, c.name) << c.line;
    EXPECT_EQ(s.value, c.value) << c.line;
  }
}

TEST(ShellSetting, EndOfInputPassesToTheCaller) {
  rdr::MemInStream in("", 0);
  plat::DString line;
  EXPECT_THROW(readShellSetting(&in, &line), plat::Exception);
}

TEST(ComputerNameDeathTest, KeepsOnlyTheFirstLabel) {
  // A host name of its own, in a child with its own name space.
  if (geteuid() != 0) GTEST_SKIP() << "needs root for a name space of its own";
  EXPECT_EXIT(
      {
        if (unshare(CLONE_NEWUTS) != 0) _exit(2);
        const char name[] = "alpha.beta.example";
        if (sethostname(name, sizeof(name) - 1) != 0) _exit(3);
        _exit(strcmp(ComputerName(), "alpha") == 0 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(ComputerDisplayName, PrefersTheFirstNonEmptyPrettyName) {
  gwtest::TempDir dir;
  std::string info = dir.write("machine-info",
                               "# comment\nPRETTY_HOSTNAME=\nPRETTY_HOSTNAMES=x\n"
                               "PRETTY_HOSTNAME=\"Lab \\\"One\\\"\"\nPRETTY_HOSTNAME=two\n");
  EXPECT_STREQ(ComputerDisplayName(false, info.c_str()), "Lab \"One\"");
  std::string none = dir.write("none", "PRETTY_HOSTNAME=\nOTHER=1\n");
  EXPECT_STREQ(ComputerDisplayName(true, none.c_str()), ComputerName());
  EXPECT_STREQ(ComputerDisplayName(false, dir.file("missing").c_str()), ComputerName());
}

TEST(Env, SetAndUnsetTouchOnlyTheirName) {
  setEnv("GW_ENV_TEST", "1");
  setEnv("GW_ENV_TESTX", "2");
  // The environment's strings are never freed; kept here once unset, so
  // that the leak checker sees them as still held.
  static char* removed[8] __attribute__((used));  // no destructor: held until the check
  int n = 0;
  for (char** e = environ; *e && n < 8; e++)
    if (strncmp(*e, "GW_ENV_TEST", 11) == 0) removed[n++] = *e;
  EXPECT_STREQ(getenv("GW_ENV_TEST"), "1");
  unsetEnv("GW_ENV_TEST");
  EXPECT_EQ(getenv("GW_ENV_TEST"), nullptr);
  EXPECT_STREQ(getenv("GW_ENV_TESTX"), "2");
  errno = 0;
  unsetEnv("GW_ENV_TESTX=2");
  EXPECT_EQ(errno, EINVAL);
  EXPECT_STREQ(getenv("GW_ENV_TESTX"), "2");
  errno = 0;
  unsetEnv(nullptr);
  EXPECT_EQ(errno, EINVAL);
  unsetEnv("GW_ENV_TESTX");
}

TEST(EnvDeathTest, ClearEmptiesAndCopesWithNoEnvironment) {
  // In a child: the environment is the process's own.
  EXPECT_EXIT(
      {
        setEnv("GW_ENV_TEST", "1");
        clearEnv();
        bool empty = getenv("GW_ENV_TEST") == nullptr && environ[0] == nullptr;
        environ = nullptr;
        clearEnv();
        unsetEnv("PATH");
        _exit(empty && environ == nullptr ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}
