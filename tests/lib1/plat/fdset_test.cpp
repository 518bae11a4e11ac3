#include "lib1/plat/FdSet.h"

#include <gtest/gtest.h>
#include <unistd.h>

using plat::FdSet;

// Waiting on such descriptors is tested through the select loop (descriptor
// 3000 in the io tests).
TEST(FdSet, HoldsTheWholeRangeAndSelectLooksOnlyBelowNfds) {
  FdSet s;
  for (int fd : {0, 63, 64, 65535}) EXPECT_TRUE(s.add(fd));
  EXPECT_FALSE(s.add(65536) || s.add(-1) || s.contains(62) || s.contains(65) || s.contains(-1));
  s.clear();
  EXPECT_TRUE(s.add(5000));  // words taken into use again start empty
  EXPECT_FALSE(s.contains(64) || s.contains(65535));
  int p[2];
  ASSERT_EQ(pipe(p), 0);
  ASSERT_EQ(::write(p[1], "x", 1), 1);
  s.add(p[0]);  // 5000 lies above nfds: not looked at, not reported
  timeval zero = {0, 0};
  EXPECT_EQ(FdSet::select(p[0] + 1, &s, nullptr, nullptr, &zero), 1);
  EXPECT_TRUE(s.contains(p[0]) && !s.contains(5000));
  close(p[0]);
  close(p[1]);
}
