#include "lib1/os/HostEnv.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lib1/plat/DString.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

using namespace os;

extern char** environ;

// That names and values stay within their line is left to
// fuzz/fuzz_shellsetting.cpp; these rows pin the unquoting.
TEST(ShellSetting, UnquotesLikeAShell) {
  const char* cases[][3] = {
      {"H=\"My \\\"big\\\" \\$box\"\n", "H", "My \"big\" $box"},
      {"A='it\\s here'\n", "A", "it\\s here"},
      {"A=\"keep \\n a\\\\b\\`c\\'d\"", "A", "keep \\n a\\b`c'd"},
      {"A=plain \"x\"", "A", "plain \"x\""},
      {"A=\"unclosed", "A", "unclosed"},
      {"A='", "A", ""},
      {" A = b=c", " A ", " b=c"},
      {"no equals sign\n", "no equals sign", "(null)"},
  };
  for (auto& c : cases) {
    rdr::MemInStream in(c[0], int(strlen(c[0])));
    plat::DString line;
    const char* value = readShellSetting(&in, &line);
    EXPECT_STREQ(line, c[1]) << c[0];
    EXPECT_STREQ(value ? value : "(null)", c[2]) << c[0];
  }
}

TEST(ComputerName, KeepsOnlyTheFirstLabel) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root for a name space of its own";
  // A host name of its own, in a child with its own name space.
  EXPECT_EQ(gwtest::exitCodeOf(gwtest::startChild([] {
              if (unshare(CLONE_NEWUTS) != 0 || sethostname("alpha.beta.example", 18) != 0)
                return 2;
              return strcmp(ComputerName(), "alpha") == 0 ? 0 : 1;
            })),
            0);
}

TEST(ComputerDisplayName, PrefersTheFirstNonEmptyPrettyName) {
  gwtest::TempDir dir;
  std::string info = dir.write("machine-info",
                               "# comment\nPRETTY_HOSTNAME=\nPRETTY_HOSTNAMES=x\n"
                               "PRETTY_HOSTNAME=\"Lab \\\"One\\\"\"\nPRETTY_HOSTNAME=two\n");
  EXPECT_STREQ(ComputerDisplayName(false, info.c_str()), "Lab \"One\"");
  std::string none = dir.write("none", "PRETTY_HOSTNAME=\n");
  EXPECT_STREQ(ComputerDisplayName(true, none.c_str()), ComputerName());
  EXPECT_STREQ(ComputerDisplayName(false, dir.file("missing").c_str()), ComputerName());
}

TEST(Env, UnsetTouchesOnlyItsNameAndRefusesBadNames) {
  setenv("GW_ENV_TEST", "1", 1);  // the C library keeps these, so none leaks
  setenv("GW_ENV_TESTX", "2", 1);
  unsetEnv("GW_ENV_TEST");
  EXPECT_TRUE(!getenv("GW_ENV_TEST") && getenv("GW_ENV_TESTX"));
  for (const char* bad : {"GW_ENV_TESTX=2", static_cast<const char*>(nullptr)}) {
    errno = 0;
    unsetEnv(bad);
    EXPECT_EQ(errno, EINVAL);
  }
  EXPECT_STREQ(getenv("GW_ENV_TESTX"), "2");
  unsetEnv("GW_ENV_TESTX");
}

// In a child: the environment array is the process's own.
TEST(Env, ClearEmptiesAndCopesWithNoEnvironment) {
  EXPECT_EQ(gwtest::exitCodeOf(gwtest::startChild([] {
              setEnv("GW_ENV_TEST", "1");
              clearEnv();
              bool empty = environ[0] == nullptr;
              environ = nullptr;
              clearEnv();
              unsetEnv("PATH");
              return empty && environ == nullptr ? 0 : 1;
            })),
            0);
}
