#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"

using namespace rdr;
using namespace std::string_literals;
using gwtest::ChunkSource;
using gwtest::failureOf;

namespace {

// A memory stream over its own copy of the bytes, freed by the stream.
struct OwnedMem : MemInStream {
  explicit OwnedMem(const std::string& s)
      : MemInStream(new unsigned char[s.size() + 1], int(s.size()), true) {
    memcpy(const_cast<unsigned char*>(start), s.data(), s.size());
  }
};

std::string taken(char* s) { return std::unique_ptr<char[]>(s).get(); }

// Every line up to the end of the stream, read into a buffer or a string.
std::vector<std::string> allLines(InStream& in, bool intoBuffer) {
  std::vector<std::string> lines;
  plat::DString line;
  char buf[64];
  try {
    for (;;) {
      int n = intoBuffer ? in.readLine(buf, sizeof(buf)) : in.readLine(&line, 0);
      lines.push_back(intoBuffer ? buf : line.get());
      EXPECT_EQ(n, int(lines.back().size()));
    }
  } catch (EndOfStream&) {
  }
  return lines;
}

// The bytes of address space this process has mapped.
rlim_t mappedBytes() {
  long pages = 0;
  FILE* statm = fopen("/proc/self/statm", "r");
  if (!statm || fscanf(statm, "%ld", &pages) != 1) ADD_FAILURE() << "no /proc/self/statm";
  if (statm) fclose(statm);
  return rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
}

}  // namespace

TEST(InStream, ItemStraddlingARefillIsAssembledThroughScratch) {
  ChunkSource src("\x12\x34\x56\x78\x9a", 3, 3, false);
  EXPECT_EQ(src.readU8(), 0x12u);
  EXPECT_EQ(src.readU32(), 0x3456789au);
  EXPECT_EQ(src.pos(), 5);  // counting the bytes the refills dropped
  EXPECT_THROW(src.readU8(), EndOfStream);
}

TEST(InStream, KeptBytesThatFillTheBufferOverrun) {
  ChunkSource small(std::string(8, 'x'), 3);  // rewindable: a U32 cannot fit
  EXPECT_EQ(failureOf([&] { small.readU32(); }), "InStream overrun: buffer size exceeded");
  ChunkSource none("abc", 0);  // only a negative size selects the default
  EXPECT_EQ(failureOf([&] { none.readU8(); }), "InStream overrun: buffer size exceeded");
}

TEST(InStream, BlockRewindsToTheCheckpointAndTheReaderParsesAgain) {
  ChunkSource src("\0\0\0\7abcdefg"s, 64, 3);
  src.available = 6;  // the source runs dry in the middle of the string
  src.checkpoint();
  EXPECT_THROW(src.readLongString(100), BlockException);
  EXPECT_EQ(src.pos(), 0);
  src.available = std::string::npos;
  EXPECT_EQ(taken(src.readLongString(100)), "abcdefg");
}

TEST(InStream, NonWaitingRefillWithoutDataReturnsFalseAndCannotRewind) {
  ChunkSource src("abc", 16, 2, false);
  src.available = 0;
  EXPECT_FALSE(src.overrunOrRewind(false, 1));
  EXPECT_EQ(src.ptr, src.end);
  EXPECT_EQ(failureOf([&] { src.rewind(); }), "Attempt to rewind a non-rewindable stream");
}

TEST(InStream, SkipAvailBytesWithCountBelowOneSkipsNothing) {
  for (int n : {0, -3}) {
    OwnedMem in("abc");
    in.readU8();
    EXPECT_EQ(in.skipAvailBytes(n, true), 0) << n;
    EXPECT_EQ(in.pos(), 1) << n;
  }
  OwnedMem empty("");
  EXPECT_EQ(empty.skipAvailBytes(0, true), 0);  // no refill, so no end of stream
}

TEST(InStreamDeathTest, ReadBytesWithNegativeLengthIsFatal) {
  OwnedMem in("abc");
  char buf[4];
  EXPECT_DEATH(in.readBytes(buf, -1), "length >= 0");
}

std::string shortString(InStream& in) { return taken(in.readShortString()); }
std::string secureString(InStream& in) { return taken(in.readShortSecureString()); }
std::string intoBuffer(InStream& in) {
  char buf[256];
  in.readShortString(buf);
  return buf;
}

TEST(InStream, ShortStringReadersTakeTheLengthByte) {
  for (auto read : {shortString, secureString, intoBuffer}) {
    OwnedMem empty("\0"s);
    EXPECT_EQ(read(empty), "");
    OwnedMem three("\003abcd");
    EXPECT_EQ(read(three), "abc");
    EXPECT_EQ(three.pos(), 4);
  }
}

TEST(InStream, StringsCutShortEndTheStream) {
  for (auto read : {shortString, secureString}) {
    OwnedMem in("\005ab");
    EXPECT_THROW(read(in), EndOfStream);
  }
  OwnedMem in("\0\0\0\11abc"s);
  EXPECT_THROW(in.readLongString(100), EndOfStream);
}

TEST(InStream, LongStringOverItsLimitThrowsBeforeTheText) {
  OwnedMem tooLong("\0\0\0\5hello"s);
  EXPECT_THROW(tooLong.readLongString(4), StringTooLongException);
  EXPECT_EQ(tooLong.pos(), 4);
  OwnedMem fits("\0\0\0\5hello"s);
  EXPECT_EQ(taken(fits.readLongString(5)), "hello");
  OwnedMem huge("\x80\0\0\0"s);  // more than an array can count
  EXPECT_THROW(huge.readLongString(0xFFFFFFFFu), StringTooLongException);
}

TEST(InStream, LongStringSpanningManyRefillsIsWhole) {
  std::string text = "a" + std::string(99998, 'q') + "z";
  ChunkSource src("\0\1\x86\xa0"s + text, 1000, 777, false);
  EXPECT_EQ(taken(src.readLongString(0xFFFFFFFFu)), text);
}

TEST(InStream, LongStringClaimingTwoGiBAllocatesOnlyWhatArrives) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer's shadow memory exceeds any address-space limit";
#endif
  // With 1 GiB of address space left, reserving the claimed length fails.
  rlimit saved;
  ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
  rlimit capped{std::min(saved.rlim_max, mappedBytes() + (rlim_t(1) << 30)), saved.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_AS, &capped), 0);
  OwnedMem in(
      "\x7f\xff\xff\xfe"
      "abc");
  EXPECT_THROW(delete[] in.readLongString(0xFFFFFFFFu), EndOfStream);
  setrlimit(RLIMIT_AS, &saved);
}

// Both line readers, from memory and through a buffer smaller than a line.
TEST(InStream, LineReadersDropCarriageReturnsAndEndAtTheStreamEnd) {
  struct Case {
    std::string input;
    std::vector<std::string> lines;
  } cases[] = {{"ab\r\ncd", {"ab", "cd"}},
               {"a\rb\n", {"ab"}},
               {"\n\r\n", {"", ""}},
               {"", {}},
               {std::string(40, 'a') + "\r\n\n" + std::string(36, 'b'),
                {std::string(40, 'a'), "", std::string(36, 'b')}}};
  for (const Case& c : cases) {
    for (bool intoBuffer : {true, false}) {
      OwnedMem mem(c.input);
      EXPECT_EQ(allLines(mem, intoBuffer), c.lines) << c.input;
      ChunkSource small(c.input, 16, 2, false);  // lines longer than its buffer
      EXPECT_EQ(allLines(small, intoBuffer), c.lines) << c.input;
    }
  }
}

TEST(InStream, LineFillingTheBufferComesBackUnterminatedWithTheRestUnread) {
  OwnedMem in("abcdef\n");
  char buf[16];
  memset(buf, '#', sizeof(buf));
  EXPECT_EQ(in.readLine(buf, 3), 3);
  EXPECT_EQ(buf[3], '#');
  EXPECT_EQ(in.readLine(buf, 0), 0);
  EXPECT_EQ(in.readLine(buf, 16), 3);
  EXPECT_STREQ(buf, "def");
}

TEST(InStream, LineOverItsLimitThrowsKeepingWhatCameBefore) {
  plat::DString line;
  OwnedMem in("abc\nabcd\nxy");
  EXPECT_EQ(in.readLine(&line, 3), 3);
  EXPECT_THROW(in.readLine(&line, 3), StringTooLongException);
  EXPECT_STREQ(line.get(), "abc");
  EXPECT_EQ(in.readLine(&line, 0), 0);  // the byte past the limit was consumed
  EXPECT_EQ(in.readLine(&line, 0), 2);
  EXPECT_THROW(in.readLine(&line, -1), StringTooLongException);
}

TEST(InStream, BoundedRandomValuesRejectValuesBelowTheThreshold) {
  struct Case {
    std::string data;
    unsigned bound, expected;
  } cases[] = {{"\0\0\0\0\0\0\0\7"s, 3, 1},            // 0 is below the threshold 1
               {std::string(36, '\0'), 3, 0},          // the ninth value is used anyway
               {"\xff\xff\xff\xff", 0, 0xFFFFFFFFu}};  // no bound: the value itself
  for (const Case& c : cases) {
    OwnedMem in(c.data);
    EXPECT_EQ(in.readBoundedU32(c.bound), c.expected);
    EXPECT_TRUE(in.atEndMsg());
  }
}

TEST(InStream, RepositionMovesBetweenTheCheckpointAndBeyond) {
  OwnedMem in("0123456789");
  in.skip(3);
  in.checkpoint();
  in.skip(4);
  in.reposition(3);
  EXPECT_EQ(in.pos(), 3);
  in.reposition(5);
  EXPECT_EQ(in.readU8(), unsigned('5'));
  EXPECT_EQ(failureOf([&] { in.reposition(2); }), "Can't reposition before checkpoint");
}

TEST(InStream, GetItemsTakesTheWholeItemsAvailable) {
  OwnedMem in("01234");
  unsigned char scratch[2];
  int n = 10;
  EXPECT_EQ(memcmp(in.getItems(scratch, 2, &n), "0123", 4), 0);
  EXPECT_EQ(n, 2);
  n = 0;
  EXPECT_DEATH(in.getItems(scratch, 2, &n), "nItems > 0");
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
