#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"

using namespace rdr;
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

std::string bytes(const char* s, size_t n) { return std::string(s, n); }

}  // namespace

TEST(InStream, ItemStraddlingARefillIsAssembledThroughScratch) {
  ChunkSource src(bytes("\x12\x34\x56\x78\x9a", 5), 3);
  src.rewindable = false;
  EXPECT_EQ(src.readU8(), 0x12u);
  EXPECT_EQ(src.readU32(), 0x3456789au);
  EXPECT_EQ(src.pos(), 5);
}

TEST(InStream, KeptBytesThatFillTheBufferOverrun) {
  ChunkSource small(std::string(8, 'x'), 3);  // rewindable: a U32 cannot fit
  EXPECT_EQ(failureOf([&] { small.readU32(); }), "InStream overrun: buffer size exceeded");
  ChunkSource none("abc", 0);  // only a negative size selects the default
  EXPECT_EQ(failureOf([&] { none.readU8(); }), "InStream overrun: buffer size exceeded");
}

TEST(InStream, BlockRewindsToTheCheckpointAndTheReaderParsesAgain) {
  ChunkSource src(bytes("\x00\x00\x00\x07"
                        "abcdefg",
                        11),
                  64, 3);
  src.available = 6;  // the source runs dry in the middle of the string
  src.checkpoint();
  EXPECT_THROW(src.readLongString(100), BlockException);
  EXPECT_EQ(src.pos(), 0);
  src.available = std::string::npos;
  std::unique_ptr<char[]> s(src.readLongString(100));
  EXPECT_STREQ(s.get(), "abcdefg");
}

TEST(InStream, NonWaitingRefillWithoutDataReturnsFalseAndKeepsPtr) {
  ChunkSource src("abc", 16);
  src.rewindable = false;
  src.available = 0;
  EXPECT_FALSE(src.overrunOrRewind(false, 1));
  EXPECT_EQ(src.ptr, src.end);
  EXPECT_EQ(src.skipAvailBytes(2, false), 0);
}

TEST(InStream, RewindOfANonRewindableStreamIsRefused) {
  ChunkSource src("abc", 16);
  src.rewindable = false;
  EXPECT_EQ(failureOf([&] { src.rewind(); }), "Attempt to rewind a non-rewindable stream");
}

TEST(InStream, SkipAvailBytesWithCountBelowOneSkipsNothing) {
  for (int n : {0, -1, -3}) {
    OwnedMem in("abc");
    in.readU8();
    in.checkpoint();
    EXPECT_EQ(in.skipAvailBytes(n, true), 0) << n;
    EXPECT_EQ(in.pos(), 1) << n;
  }
  OwnedMem empty("");
  EXPECT_EQ(empty.skipAvailBytes(0, true), 0);  // no refill, so no end of stream
}

TEST(InStream, ReadBytesWithNegativeLengthIsFatal) {
  OwnedMem in("abc");
  char buf[4];
  EXPECT_DEATH(in.readBytes(buf, -1), "length >= 0");
}

TEST(InStream, ShortStringsOfEveryReader) {
  using Reader = std::function<std::string(InStream&)>;
  const Reader readers[] = {
      [](InStream& in) { return std::string(std::unique_ptr<char[]>(in.readShortString()).get()); },
      [](InStream& in) {
        return std::string(std::unique_ptr<char[]>(in.readShortSecureString()).get());
      },
      [](InStream& in) {
        char buf[256];
        in.readShortString(buf);
        return std::string(buf);
      }};
  for (const Reader& read : readers) {
    OwnedMem empty(bytes("\0", 1));
    EXPECT_EQ(read(empty), "");
    OwnedMem three(
        "\x03"
        "abcd");
    EXPECT_EQ(read(three), "abc");
    EXPECT_EQ(three.pos(), 4);
  }
}

TEST(InStream, StringsCutShortEndTheStream) {
  const std::function<void(InStream&)> reads[] = {
      [](InStream& in) { delete[] in.readShortString(); },
      [](InStream& in) { delete[] in.readShortSecureString(); },
      [](InStream& in) { delete[] in.readLongString(100); }};
  const std::string data[] = {bytes("\x05"
                                    "ab",
                                    3),
                              bytes("\x05"
                                    "ab",
                                    3),
                              bytes("\x00\x00\x00\x09"
                                    "abc",
                                    7)};
  for (int i = 0; i < 3; i++) {
    OwnedMem in(data[i]);
    EXPECT_THROW(reads[i](in), EndOfStream) << i;
  }
}

TEST(InStream, LongStringOverItsLimitThrowsBeforeTheText) {
  std::string data = bytes("\x00\x00\x00\x05hello", 9);
  OwnedMem tooLong(data);
  EXPECT_THROW(tooLong.readLongString(4), StringTooLongException);
  EXPECT_EQ(tooLong.pos(), 4);
  OwnedMem fits(data);
  std::unique_ptr<char[]> hello(fits.readLongString(5));
  EXPECT_STREQ(hello.get(), "hello");
}

TEST(InStream, LongStringOfTwoGiBIsRefused) {
  OwnedMem huge(bytes("\x80\x00\x00\x00", 4));
  EXPECT_THROW(huge.readLongString(0xFFFFFFFFu), StringTooLongException);
}

TEST(InStream, LongStringSpanningManyRefillsIsWhole) {
  std::string text(100000, 'q');
  text[0] = 'a';
  text.back() = 'z';
  ChunkSource src(bytes("\x00\x01\x86\xa0", 4) + text, 1000, 777);
  src.rewindable = false;
  std::unique_ptr<char[]> s(src.readLongString(0xFFFFFFFFu));
  EXPECT_EQ(std::string(s.get()), text);
}

// In a child process whose address space ends cap bytes in: four bytes
// claim almost 2 GiB, which must end the stream, not exhaust the memory.
[[noreturn]] void readHugeClaimWithin(rlim_t cap) {
  rlimit limit{cap, cap};
  setrlimit(RLIMIT_AS, &limit);
  OwnedMem in(
      bytes("\x7f\xff\xff\xfe"
            "abc",
            7));
  try {
    delete[] in.readLongString(0xFFFFFFFFu);
  } catch (EndOfStream&) {
    _exit(0);
  }
  _exit(1);
}

TEST(InStream, LongStringClaimingTwoGiBAllocatesOnlyWhatArrives) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer's shadow memory exceeds any address-space limit";
#endif
  long pages = 0;
  FILE* statm = fopen("/proc/self/statm", "r");
  ASSERT_NE(statm, nullptr);
  ASSERT_EQ(fscanf(statm, "%ld", &pages), 1);
  fclose(statm);
  rlim_t cap = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(1) << 30);
  EXPECT_EXIT(readHugeClaimWithin(cap), testing::ExitedWithCode(0), "");
}

TEST(InStream, BothLineReadersDropCarriageReturnsAndEndAtTheStreamEnd) {
  struct Case {
    const char* input;
    std::vector<std::string> lines;
  } cases[] = {{"ab\r\ncd", {"ab", "cd"}}, {"a\rb\n", {"ab"}}, {"\n\r\n", {"", ""}}, {"", {}}};
  for (const Case& c : cases) {
    OwnedMem toBuf(c.input);
    OwnedMem toString(c.input);
    plat::DString line;
    for (const std::string& expected : c.lines) {
      char buf[16];
      EXPECT_EQ(toBuf.readLine(buf, sizeof(buf)), int(expected.size()));
      EXPECT_EQ(std::string(buf), expected) << c.input;
      EXPECT_EQ(toString.readLine(&line, 0), int(expected.size()));
      EXPECT_EQ(std::string(line.get()), expected) << c.input;
    }
    char buf[16];
    EXPECT_THROW(toBuf.readLine(buf, sizeof(buf)), EndOfStream) << c.input;
    EXPECT_THROW(toString.readLine(&line, 0), EndOfStream) << c.input;
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

TEST(InStream, LinesSpanningManyRefillsAreWhole) {
  std::string text;
  for (int i = 0; i < 200; i++)
    text += std::string(i % 37, char('a' + i % 26)) + (i % 3 ? "\r\n" : "\n");
  ChunkSource src(text, 16, 5);
  src.rewindable = false;
  plat::DString line;
  for (int i = 0; i < 200; i++) {
    ASSERT_EQ(src.readLine(&line, 0), i % 37);
    ASSERT_EQ(std::string(line.get()), std::string(i % 37, char('a' + i % 26)));
  }
}

TEST(InStream, BoundedRandomValuesRejectValuesBelowTheThreshold) {
  struct Case {
    std::string data;
    unsigned bound, expected;
    int consumed;
  } cases[] = {{bytes("\0\0\0\0\0\0\0\x07", 8), 3, 1, 8},  // 0 is below the threshold 1
               {std::string(36, '\0'), 3, 0, 36},          // the ninth value is used anyway
               {"\xff\xff\xff\xff", 0, 0xFFFFFFFFu, 4}};
  for (const Case& c : cases) {
    OwnedMem in(c.data);
    EXPECT_EQ(in.readBoundedU32(c.bound), c.expected);
    EXPECT_EQ(in.pos(), c.consumed);
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
  const unsigned char* p = in.getItems(scratch, 2, &n);
  EXPECT_EQ(n, 2);
  EXPECT_EQ(memcmp(p, "0123", 4), 0);
  n = 0;
  EXPECT_DEATH(in.getItems(scratch, 2, &n), "nItems > 0");
}

TEST(InStream, BufferedPositionsCountDroppedBytes) {
  ChunkSource src(std::string(100, 'q'), 8, 3);
  src.rewindable = false;
  src.skip(50);
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
