#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"

using namespace rdr;
using gwtest::ChunkSource;

using namespace gwtest;

namespace {

// A memory stream over its own copy of the bytes.
struct OwnedMem : MemInStream {
  explicit OwnedMem(const std::string& s)
      : MemInStream(new unsigned char[s.size() + 1], int(s.size()), true) {
    memcpy(const_cast<unsigned char*>(start), s.data(), s.size());
  }
};

}  // namespace

TEST(InStream, ItemStraddlingRefillIsAssembledThroughScratch) {
  // A non-rewindable stream with a 3-byte buffer cannot hold a whole U32.
  ChunkSource src(std::string("\x12\x34\x56\x78\x9a", 5), 3);
  src.rewindable = false;
  EXPECT_EQ(src.readU8(), 0x12u);
  EXPECT_EQ(src.readU32(), 0x3456789au);
  EXPECT_EQ(src.pos(), 5);
}

TEST(InStream, RewindableStreamWithItemLargerThanBufferOverruns) {
  ChunkSource src(std::string(8, 'x'), 3);
  EXPECT_EQ(failureOf([&] { src.readU32(); }), "InStream overrun: buffer size exceeded");
  ChunkSource empty("abc", 0);
  EXPECT_THROW(empty.readU8(), plat::Exception);
}

TEST(InStream, BlockRewindsToCheckpointAndReparseSucceeds) {
  ChunkSource src(std::string("\x00\x00\x00\x07"
                              "abcdefg"
                              "\x00\x00\x00\x01"
                              "z",
                              16),
                  64, 3);
  src.available = 6;  // the source runs dry in the middle of the first string
  src.checkpoint();
  EXPECT_THROW(src.readLongString(100), BlockException);
  EXPECT_EQ(src.pos(), 0);
  src.available = std::string::npos;
  std::unique_ptr<char[]> s(src.readLongString(100));
  EXPECT_STREQ(s.get(), "abcdefg");
  src.checkpoint();
  std::unique_ptr<char[]> t(src.readLongString(1));
  EXPECT_STREQ(t.get(), "z");
}

TEST(InStream, NonWaitingRefillWithoutDataReturnsFalse) {
  ChunkSource src("abc", 16);
  src.rewindable = false;
  src.available = 0;
  EXPECT_FALSE(src.overrunOrRewind(false, 1));
  EXPECT_EQ(src.ptr, src.end);
  EXPECT_EQ(src.skipAvailBytes(2, false), 0);
  EXPECT_THROW(src.rewind(), plat::Exception);
}

TEST(InStream, Strings) {
  OwnedMem empty(std::string("\0", 1));
  std::unique_ptr<char[]> e(empty.readShortString());
  EXPECT_STREQ(e.get(), "");

  OwnedMem three(
      "\x03"
      "abc");
  std::unique_ptr<char[]> abc(three.readShortSecureString());
  EXPECT_STREQ(abc.get(), "abc");

  std::string longData("\x00\x00\x00\x05hello", 9);
  OwnedMem tooLong(longData);
  EXPECT_THROW(tooLong.readLongString(4), StringTooLongException);
  EXPECT_EQ(tooLong.pos(), 4);  // the text was not read
  OwnedMem fits(longData);
  std::unique_ptr<char[]> hello(fits.readLongString(5));
  EXPECT_STREQ(hello.get(), "hello");

  OwnedMem huge(std::string("\x80\x00\x00\x00", 4));
  EXPECT_THROW(huge.readLongString(0xFFFFFFFFu), StringTooLongException);
  OwnedMem truncated(
      std::string("\x00\x00\x00\x09"
                  "abc",
                  7));
  EXPECT_THROW(truncated.readLongString(100), EndOfStream);
}

TEST(InStream, ReadLineIntoBuffer) {
  OwnedMem in("ab\r\ncd");
  char buf[16];
  EXPECT_EQ(in.readLine(buf, 16), 2);
  EXPECT_STREQ(buf, "ab");
  EXPECT_EQ(in.readLine(buf, 16), 2);
  EXPECT_STREQ(buf, "cd");
  EXPECT_THROW(in.readLine(buf, 16), EndOfStream);

  OwnedMem cr("a\rb\n");
  EXPECT_EQ(cr.readLine(buf, 16), 2);
  EXPECT_STREQ(buf, "ab");

  // A full buffer comes back unterminated, and the rest stays unread.
  OwnedMem full("abcdef\n");
  memset(buf, '#', sizeof(buf));
  EXPECT_EQ(full.readLine(buf, 3), 3);
  EXPECT_EQ(buf[3], '#');
  EXPECT_EQ(full.readLine(buf, 16), 3);
  EXPECT_STREQ(buf, "def");
  EXPECT_EQ(full.readLine(buf, 0), 0);
}

TEST(InStream, ReadLineIntoDString) {
  plat::DString line;
  OwnedMem ok("abc\nabcd\nxy");
  EXPECT_EQ(ok.readLine(&line, 3), 3);
  EXPECT_STREQ(line.get(), "abc");
  EXPECT_THROW(ok.readLine(&line, 3), StringTooLongException);
  EXPECT_STREQ(line.get(), "abc");      // what came before is kept
  EXPECT_EQ(ok.readLine(&line, 0), 0);  // the rest of the long line: empty
  EXPECT_EQ(ok.readLine(&line, 0), 2);
  EXPECT_STREQ(line.get(), "xy");
  EXPECT_THROW(ok.readLine(&line, 0), EndOfStream);
  EXPECT_THROW(ok.readLine(&line, -1), StringTooLongException);

  // Lines that span many refills, with carriage returns anywhere.
  std::string text;
  for (int i = 0; i < 200; i++) text += std::string(i % 37, 'a' + i % 26) + (i % 3 ? "\r\n" : "\n");
  ChunkSource src(text, 16, 5);
  src.rewindable = false;
  for (int i = 0; i < 200; i++) {
    ASSERT_EQ(src.readLine(&line, 0), i % 37);
    ASSERT_EQ(std::string(line.get()), std::string(i % 37, 'a' + i % 26));
  }
}

TEST(InStream, BoundedRandomValues) {
  std::string data("\x00\x00\x00\x00\x00\x00\x00\x07", 8);
  OwnedMem in(data);
  EXPECT_EQ(in.readBoundedU32(3), 1u);  // 0 is below the threshold 1
  OwnedMem zeros(std::string(36, '\0'));
  EXPECT_EQ(zeros.readBoundedU32(3), 0u);  // the ninth value is used anyway
  EXPECT_EQ(zeros.pos(), 36);
  OwnedMem raw(std::string("\xff\xff\xff\xff", 4));
  EXPECT_EQ(raw.readBoundedU32(0), 0xFFFFFFFFu);
}

TEST(InStream, CheckpointRepositionAndItems) {
  OwnedMem in("0123456789");
  in.skip(3);
  in.checkpoint();
  in.skip(4);
  in.reposition(3);
  EXPECT_EQ(in.pos(), 3);
  in.reposition(5);
  EXPECT_EQ(in.readU8(), unsigned('5'));
  EXPECT_THROW(in.reposition(2), plat::Exception);

  unsigned char scratch[2];
  int n = 10;
  const unsigned char* p = in.getItems(scratch, 2, &n);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(memcmp(p, "6789", 4), 0);
  n = 0;
  EXPECT_DEATH(in.getItems(scratch, 2, &n), "nItems > 0");
}

TEST(InStream, BufferedPositionsCountDroppedBytes) {
  ChunkSource src(std::string(100, 'q'), 8, 3);
  src.rewindable = false;
  src.skip(50);
  EXPECT_EQ(src.pos(), 50);
  unsigned char buf[40];
  src.readBytes(buf, 40);
  EXPECT_EQ(src.pos(), 90);
  EXPECT_THROW(src.skip(11), EndOfStream);
}

TEST(InStream, HexDumpShowsEveryChunkRead) {
  ChunkSource src("abc", 16, 2);
  src.hexDumpData = true;
  testing::internal::CaptureStderr();
  src.readU16();
  src.readU8();
  std::string dump = testing::internal::GetCapturedStderr();
  EXPECT_NE(dump.find(" <-- 61 62 "), std::string::npos) << dump;
  EXPECT_NE(dump.find(" <-- 63 "), std::string::npos) << dump;
}
