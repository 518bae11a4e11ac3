#include "lib1/plat/FdSet.h"

#include <gtest/gtest.h>

using plat::FdSet;

// Waiting on such descriptors is tested through the select loop (descriptor 3000).
TEST(FdSet, HoldsTheWholeRangeAndNothingOutsideIt) {
  FdSet s;
  for (int fd : {0, 63, 64, 65535}) EXPECT_TRUE(s.add(fd));
  EXPECT_FALSE(s.add(65536) || s.add(-1) || s.contains(62) || s.contains(65) || s.contains(-1));
  s.clear();
  EXPECT_TRUE(s.add(5000));  // words taken into use again start empty
  EXPECT_FALSE(s.contains(64) || s.contains(65535));
}
