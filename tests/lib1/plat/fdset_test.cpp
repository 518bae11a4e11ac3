#include "lib1/plat/FdSet.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

using plat::FdSet;

TEST(FdSet, HoldsTheWholeRangeAndRefusesBeyond) {
  FdSet s;
  EXPECT_TRUE(s.isEmpty());
  EXPECT_FALSE(s.contains(0));
  EXPECT_TRUE(s.add(0));
  EXPECT_TRUE(s.add(63));
  EXPECT_TRUE(s.add(64));
  EXPECT_TRUE(s.add(65535));
  EXPECT_FALSE(s.add(65536));
  EXPECT_FALSE(s.add(-1));
  EXPECT_TRUE(s.contains(0) && s.contains(63) && s.contains(64) && s.contains(65535));
  EXPECT_FALSE(s.contains(1) || s.contains(62) || s.contains(65) || s.contains(65534));
  EXPECT_FALSE(s.contains(65536) || s.contains(-1) || s.contains(1 << 30));
  s.remove(63);
  s.remove(100000);
  EXPECT_FALSE(s.contains(63));
  EXPECT_TRUE(s.contains(64));
  s.clear();
  EXPECT_TRUE(s.isEmpty());
  // Words that come into use again after a clear start out empty.
  EXPECT_TRUE(s.add(5000));
  EXPECT_FALSE(s.contains(65535) || s.contains(64) || s.contains(4999));
}

TEST(FdSet, SelectWaitsOnDescriptorsBeyondTheCLibraryLimit) {
  rlimit rl;
  ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &rl), 0);
  if (rl.rlim_cur < 3001) {
    rl.rlim_cur = 3001;
    if (setrlimit(RLIMIT_NOFILE, &rl) != 0) GTEST_SKIP() << "cannot open descriptor 3000";
  }
  int p[2];
  ASSERT_EQ(pipe(p), 0);
  ASSERT_EQ(dup2(p[0], 3000), 3000);
  FdSet read, write;
  read.add(3000);
  read.add(p[0]);
  write.add(p[1]);
  timeval zero = {0, 0};
  // Nothing to read yet; the write end is writable.
  EXPECT_EQ(FdSet::select(3001, &read, &write, nullptr, &zero), 1);
  EXPECT_FALSE(read.contains(3000));
  EXPECT_TRUE(write.contains(p[1]));
  ASSERT_EQ(::write(p[1], "x", 1), 1);
  read.clear();
  read.add(3000);
  EXPECT_EQ(FdSet::select(3001, &read, nullptr, nullptr, &zero), 1);
  EXPECT_TRUE(read.contains(3000));
  // A descriptor at or above nfds is not looked at and not reported.
  read.clear();
  read.add(p[0]);
  read.add(3000);
  EXPECT_EQ(FdSet::select(p[0] + 1, &read, nullptr, nullptr, &zero), 1);
  EXPECT_TRUE(read.contains(p[0]));
  EXPECT_FALSE(read.contains(3000));
  close(3000);
  close(p[0]);
  close(p[1]);
}
