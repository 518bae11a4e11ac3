#include "lib1/plat/Buffers.h"

#include <gtest/gtest.h>

#include <tuple>

using plat::MBuf;

TEST(MBuf, ResizeKeepsStorageOnlyForModestShrinking) {
  for (auto [from, to, kept] :
       {std::tuple{1024, 512, true}, {1024, 511, false}, {1024, 2048, false}, {0, 16, false}}) {
    MBuf<char> buf(true);
    if (from) buf.resize(from);
    const char* before = buf.data;
    buf.resize(to);
    EXPECT_EQ(buf.length, to) << from << " -> " << to;
    EXPECT_EQ(buf.data == before, kept) << from << " -> " << to;
  }
}

TEST(MBuf, SecureShrinkZeroesTheDroppedTail) {
  MBuf<char> buf(true);
  buf.resize(256);
  memset(buf.data, 'x', 256);
  buf.resize(200);
  EXPECT_EQ(buf.data[199], 'x');
  EXPECT_EQ(buf.data[200], 0);
  EXPECT_EQ(buf.data[255], 0);
}
