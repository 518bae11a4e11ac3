#include "lib1/plat/Buffers.h"

#include <gtest/gtest.h>

using plat::MBuf;

TEST(MBuf, ResizeKeepsStorageOnlyForModestShrinking) {
  struct {
    int from, to;
    bool kept;
  } cases[] = {{1024, 512, true},   {1024, 511, false}, {1024, 100, true},
               {1024, 2048, false}, {200, 127, true},   {0, 16, false}};
  for (auto& c : cases) {
    MBuf<char> buf(true);
    if (c.from) buf.resize(c.from);
    const char* before = buf.data;
    buf.resize(c.to);
    EXPECT_EQ(buf.length, c.to) << c.from << " -> " << c.to;
    EXPECT_EQ(buf.data == before, c.kept) << c.from << " -> " << c.to;
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
