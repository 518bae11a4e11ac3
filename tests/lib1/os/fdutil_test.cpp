#include "lib1/os/FdUtil.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "lib1/plat/Exception.h"

using namespace os;

namespace {

std::string failureOf(void (*f)()) {
  try {
    f();
  } catch (const plat::SystemException& e) {
    return e.str();
  }
  return "(no exception)";
}

int closedDescriptor() {
  int p[2];
  EXPECT_EQ(pipe(p), 0);
  close(p[0]);
  close(p[1]);
  return p[0];
}

}  // namespace

TEST(FdUtil, SetBlockingSwitchesNonBlockingAloneAndKeepsAppend) {
  char path[] = "/tmp/gw_fdutil_XXXXXX";
  int fd = mkostemp(path, O_CLOEXEC | O_APPEND);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(write(fd, "ab", 2), 2);
  fdSetBlocking(fd, false);
  EXPECT_TRUE(fcntl(fd, F_GETFL) & O_NONBLOCK);
  EXPECT_TRUE(fcntl(fd, F_GETFL) & O_APPEND);
  fdSetBlocking(fd, true);
  EXPECT_FALSE(fcntl(fd, F_GETFL) & O_NONBLOCK);
  EXPECT_TRUE(fcntl(fd, F_GETFL) & O_APPEND);
  // Still appending: a write after seeking to the start lands at the end.
  ASSERT_EQ(lseek(fd, 0, SEEK_SET), 0);
  ASSERT_EQ(write(fd, "c", 1), 1);
  char buf[4] = {};
  ASSERT_EQ(pread(fd, buf, 3, 0), 3);
  EXPECT_STREQ(buf, "abc");
  close(fd);
  unlink(path);
  EXPECT_EQ(failureOf([] { fdSetBlocking(-1, true); }), "setBlocking: Bad file descriptor (9)");
}

TEST(FdUtil, InheritableFlagBothWaysAndOnBadDescriptors) {
  int p[2];
  pipeCreate(p);
  EXPECT_FALSE(fdGetInheritable(p[0]));
  EXPECT_FALSE(fdGetInheritable(p[1]));
  fdSetInheritable(p[0], true, false);
  EXPECT_TRUE(fdGetInheritable(p[0]));
  EXPECT_TRUE(fdSetInheritableNoThrow(p[0], false, false));
  EXPECT_FALSE(fdGetInheritable(p[0]));
  close(p[0]), close(p[1]);

  int gone = closedDescriptor();
  errno = 0;
  EXPECT_FALSE(fdSetInheritableNoThrow(gone, true, true));
  EXPECT_EQ(errno, EBADF);
  EXPECT_EQ(failureOf([] { fdSetInheritable(-1, false, false); }),
            "setInheritable: Bad file descriptor (9)");
  EXPECT_EQ(failureOf([] { fdGetInheritable(-1); }), "getInheritable: Bad file descriptor (9)");
  EXPECT_EQ(fdClose(-1), -1);
}

TEST(FdUtil, DuplicatesAreCloseOnExec) {
  int p[2];
  pipeCreate(p);
  fdSetInheritable(p[0], true, false);
  int d = fdDup(p[0]);
  EXPECT_GT(d, p[1]);
  EXPECT_FALSE(fdGetInheritable(d));
  // Onto an open descriptor: it is replaced and made close-on-exec.
  int target = fdDup(p[1]);
  fdSetInheritable(target, true, false);
  fdDup2(p[0], target);
  EXPECT_FALSE(fdGetInheritable(target));
  ASSERT_EQ(write(p[1], "z", 1), 1);
  char c = 0;
  ASSERT_EQ(read(target, &c, 1), 1);  // now the read end
  EXPECT_EQ(c, 'z');
  // A second duplicate onto a number in use works the same way.
  EXPECT_TRUE(fdDup2NoThrow(p[1], d));
  EXPECT_FALSE(fdGetInheritable(d));
  close(d), close(target), close(p[0]), close(p[1]);
}

TEST(FdUtil, DuplicateOntoItselfFailsAndLeavesItOpen) {
  int p[2];
  pipeCreate(p);
  errno = 0;
  EXPECT_FALSE(fdDup2NoThrow(p[0], p[0]));
  EXPECT_EQ(errno, EINVAL);
  EXPECT_NE(fcntl(p[0], F_GETFD), -1);
  EXPECT_EQ(failureOf([] { fdDup2(-1, 50); }), "dup2: Bad file descriptor (9)");
  EXPECT_EQ(failureOf([] { fdDup(-1); }), "fcntl(F_DUPFD_CLOEXEC): Bad file descriptor (9)");
  close(p[0]), close(p[1]);
}

TEST(FdUtilDeathTest, DuplicateWithNoDescriptorLeftNamesTheCall) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizers' own checks need a free descriptor to probe memory.
  GTEST_SKIP() << "no descriptor left for the sanitizer runtime";
#endif
  // In a child: the limit is lowered for good there.
  EXPECT_EXIT(
      {
        int lowestFree = dup(0);
        close(lowestFree);
        rlimit rl;
        getrlimit(RLIMIT_NOFILE, &rl);
        rl.rlim_cur = rlim_t(lowestFree);
        setrlimit(RLIMIT_NOFILE, &rl);
        fprintf(stderr, "%s\n", failureOf([] { fdDup(0); }).c_str());
        _exit(0);
      },
      testing::ExitedWithCode(0), "fcntl\\(F_DUPFD_CLOEXEC\\): Too many open files \\(24\\)");
}
