#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib1/rdr/StringWriter.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"

using namespace rdr;
using namespace std::string_literals;
using namespace gwtest;

TEST(OutStream, IntegersGoOutMostSignificantByteFirst) {
  MemOutStream out(0, 0);  // starts with no room at all
  out.writeU8(0xAB);
  out.writeU16(0x1234);
  out.writeU32(0xDEADBEEF);
  out.writeS32(INT_MIN);
  EXPECT_EQ(bytesOf(out), "\xAB\x12\x34\xDE\xAD\xBE\xEF\x80\0\0\0"s);
}

TEST(OutStream, StringsAreCutToTheirLength) {
  MemOutStream out;
  out.writeShortString(std::string(300, 's').c_str());  // cut to what a byte counts
  out.writeLongString("hello", 2);
  EXPECT_EQ(bytesOf(out), "\xff" + std::string(255, 's') + "\0\0\0\2he"s);
}

TEST(MemOutStream, WriteBeyondTheLimitIsRefusedAndLosesNothing) {
  MemOutStream limited(0, 4);
  limited.writeBytes("abcd", 4);
  EXPECT_THROW(limited.writeU8('e'), OutStreamFull);
  EXPECT_THROW(limited.writeBytes("xy", 2), OutStreamFull);
  EXPECT_EQ(bytesOf(limited), "abcd");
  MemOutStream text(-1, 4);
  EXPECT_THROW(StringWriter(&text).append("abc").append("de"), OutStreamFull);
}

TEST(MemOutStream, PassingTheBlockToAStringSetsItsLengthAndEmptiesTheStream) {
  plat::DString d;
  d.append("0123456789");  // the string knows its length is 10
  MemOutStream out(-1, 12);
  out.writeBytes("ab\0cdefghi\0k", 12);  // the first NUL at 2, another at 10
  out.passBufTo(&d);
  EXPECT_STREQ(d.append("!").get(), "ab!");
  EXPECT_EQ(out.length(), 0);
  out.writeBytes("abcdefghijkl", 12);  // the terminator may go one byte past the limit
  out.passBufTo(&d);
  EXPECT_STREQ(d.get(), "abcdefghijkl");
}

TEST(BufferedOutStream, GrowsForASlowSinkBeforeWaiting) {
  SlowSink sink(16384, 65536);
  std::string chunk(20000, 'c');
  for (int i = 0; i < 3; i++) sink.writeBytes(chunk.data(), int(chunk.size()));
  EXPECT_EQ(sink.bufSize, 65536);
  EXPECT_EQ(sink.received.size(), 0u);
  sink.writeBytes(chunk.data(), int(chunk.size()));  // now it must wait
  EXPECT_GT(sink.received.size(), 0u);
  EXPECT_TRUE(sink.flush(true));
  EXPECT_EQ(sink.received, std::string(80000, 'c'));
}

TEST(BufferedOutStream, NonWaitingFlushSendsWhatTheSinkTakes) {
  SlowSink sink(16, 16);
  sink.writeBytes("0123456789", 10);
  sink.acceptWithoutWaiting = 4;
  EXPECT_FALSE(sink.flush(false));
  EXPECT_EQ(sink.unflushedBytes(), 6);
  sink.writeBytes("abcdefghij", 10);  // moves the pending bytes to the front
  EXPECT_TRUE(sink.flush(true));
  EXPECT_EQ(sink.received, "0123456789abcdefghij");
}

TEST(BufferedOutStream, ItemsThatCannotFitAreRefused) {
  SlowSink sink(16, 16);
  EXPECT_EQ(failureOf([&] { sink.overrun(32, 1); }),
            "BufferedOutStream overrun: buffer size exceeded");
}
