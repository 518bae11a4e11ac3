#include "lib1/os/HostEnv.h"

#include <gtest/gtest.h>

#include <cstring>

#include "lib1/plat/DString.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/FileChecks.h"

using namespace os;

extern char** environ;

// The fuzz target keeps names and values within their line; these pin the unquoting.
TEST(ShellSetting, UnquotesLikeAShell) {
  const char* cases[][3] = {
      {"H=\"My \\\"big\\\" \\$box\"\n", "H", "My \"big\" $box"},
      {"A='it\\s here'\n", "A", "it\\s here"},
      {"A=\"keep \\n a\\\\b\\`c\\'d\"", "A", "keep \\n a\\b`c'd"},
      {"A=plain \"x\"", "A", "plain \"x\""},
      {"A=\"unclosed", "A", "unclosed"},
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
