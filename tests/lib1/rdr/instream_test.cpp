#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"
#include "tests/support/Text.h"

using namespace rdr;
using namespace std::string_literals;
using namespace gwtest;

namespace {

// A memory stream over its own copy of the bytes.
struct OwnedMem : MemInStream {
  explicit OwnedMem(const std::string& s)
      : MemInStream(new unsigned char[s.size() + 1], int(s.size()), true) {
    memcpy(const_cast<unsigned char*>(start), s.data(), s.size());
  }
};

// Every line, each followed by "|", read through a buffer smaller than a line.
std::string allLines(const std::string& input, bool intoBuffer) {
  ChunkSource in(input, 16, 2, false);
  std::string lines;
  plat::DString line;
  char buf[64];
  try {
    for (;;) {
      int n = intoBuffer ? in.readLine(buf, sizeof(buf)) : in.readLine(&line, 0);
      lines += std::string(intoBuffer ? buf : line.get(), n) + "|";
    }
  } catch (EndOfStream&) {
  }
  return lines;
}

}  // namespace

TEST(InStream, MisuseFailsWithItsMessage) {
  OwnedMem mem("0123456789");
  mem.skip(3);
  mem.checkpoint();
  // A U32 cannot fit in 3 bytes; only a negative size selects the default.
  const std::pair<std::function<void()>, const char*> rows[] = {
      {[] { ChunkSource("12345678", 3).readU32(); }, "InStream overrun: buffer size exceeded"},
      {[] { ChunkSource("abc", 0).readU8(); }, "InStream overrun: buffer size exceeded"},
      {[] { ChunkSource("abc", 16, 2, false).rewind(); },
       "Attempt to rewind a non-rewindable stream"},
      {[&] { mem.reposition(2); }, "Can't reposition before checkpoint"}};
  for (const auto& [run, message] : rows) EXPECT_EQ(failureOf(run), message);
}

TEST(InStream, SkipAvailBytesWithCountBelowOneSkipsNothing) {
  OwnedMem in("abc");
  in.readU8();
  EXPECT_EQ(in.skipAvailBytes(0, true) + in.skipAvailBytes(-3, true), 0);
  EXPECT_EQ(in.pos(), 1);
  EXPECT_EQ(OwnedMem("").skipAvailBytes(0, true), 0);  // no refill, so no end of stream
}

TEST(InStreamDeathTest, NegativeLengthsAndCountsAreFatal) {
  OwnedMem in("abc");
  char buf[4];
  EXPECT_DEATH(in.readBytes(buf, -1), "length >= 0");
  int n = 0;
  EXPECT_DEATH(in.getItems(reinterpret_cast<unsigned char*>(buf), 2, &n), "nItems > 0");
}

TEST(InStream, StringReadersTakeTheirLengthOrEndTheStream) {
  for (bool secure : {false, true}) {
    OwnedMem in("\0\003abc\005ab"s);
    auto read = [&] { return own(secure ? in.readShortSecureString() : in.readShortString()); };
    EXPECT_EQ(read() + read(), "abc");
    EXPECT_THROW(read(), EndOfStream);
  }
  EXPECT_THROW(OwnedMem("\0\0\0\11abc"s).readLongString(100), EndOfStream);
}

TEST(InStream, LongStringOverItsLimitThrowsBeforeTheText) {
  OwnedMem tooLong("\0\0\0\5hello"s);
  EXPECT_THROW(tooLong.readLongString(4), StringTooLongException);
  EXPECT_EQ(tooLong.pos(), 4);
  EXPECT_EQ(own(OwnedMem("\0\0\0\5hello"s).readLongString(5)), "hello");
  // More than an array can count.
  EXPECT_THROW(OwnedMem("\x80\0\0\0"s).readLongString(0xFFFFFFFFu), StringTooLongException);
}

TEST(InStream, LongStringSpanningManyRefillsIsWhole) {
  std::string text = "a" + std::string(99998, 'q') + "z";
  ChunkSource src("\0\1\x86\xa0"s + text, 1000, 777, false);
  EXPECT_EQ(own(src.readLongString(0xFFFFFFFFu)), text);
}

TEST(InStream, LongStringClaimingTwoGiBAllocatesOnlyWhatArrives) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizer's shadow memory exceeds any address-space limit";
#endif
  rlimit saved;  // with 1 GiB of address space left, reserving the claimed length fails
  ASSERT_EQ(getrlimit(RLIMIT_AS, &saved), 0);
  rlim_t mappedPages = 0;
  std::ifstream("/proc/self/statm") >> mappedPages;
  rlim_t mapped = mappedPages * sysconf(_SC_PAGESIZE);
  rlimit capped{std::min(saved.rlim_max, mapped + (rlim_t(1) << 30)), saved.rlim_max};
  ASSERT_EQ(setrlimit(RLIMIT_AS, &capped), 0);
  OwnedMem in("\x7f\xff\xff\xfe"s + "abc");
  EXPECT_THROW(delete[] in.readLongString(0xFFFFFFFFu), EndOfStream);
  setrlimit(RLIMIT_AS, &saved);
}

TEST(InStream, LineReadersDropCarriageReturnsAndEndAtTheStreamEnd) {
  const std::pair<std::string, std::string> rows[] = {
      {"a\rb\n\n\r\ncd", "ab|||cd|"},
      {"", ""},
      {std::string(40, 'a') + "\r\n", std::string(40, 'a') + "|"}};
  for (const auto& [input, lines] : rows)
    for (bool intoBuffer : {true, false}) EXPECT_EQ(allLines(input, intoBuffer), lines) << input;
}

TEST(InStream, LineOverItsLimitThrowsKeepingWhatCameBefore) {
  plat::DString line;
  OwnedMem in("abc\nabcd\nxy");
  EXPECT_EQ(in.readLine(&line, 3), 3);
  EXPECT_THROW(in.readLine(&line, 3), StringTooLongException);
  EXPECT_STREQ(line.get(), "abc");
  EXPECT_EQ(in.readLine(&line, 0), 0);  // the byte past the limit was consumed
  EXPECT_THROW(in.readLine(&line, -1), StringTooLongException);
}
