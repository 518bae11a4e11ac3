#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <string>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib1/rdr/StringWriter.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"

using namespace rdr;
using namespace std::string_literals;
using gwtest::bytesOf;
using gwtest::failureOf;
using gwtest::SlowSink;

namespace {

std::string taken(char* s) { return std::unique_ptr<char[]>(s).get(); }

}  // namespace

TEST(OutStream, IntegersGoOutMostSignificantByteFirstAndReadBack) {
  MemOutStream out(0, 0);  // starts with no room at all
  out.writeU8(0xAB);
  out.writeU16(0x1234);
  out.writeU32(0xDEADBEEF);
  out.writeS8(-2);
  out.writeS16(-300);
  out.writeS32(INT_MIN);
  EXPECT_EQ(bytesOf(out), "\xAB\x12\x34\xDE\xAD\xBE\xEF\xFE\xFE\xD4\x80\0\0\0"s);
  MemInStream in(out.data() + 7, 7);
  EXPECT_EQ(in.readS8(), -2);
  EXPECT_EQ(in.readS16(), -300);
  EXPECT_EQ(in.readS32(), INT_MIN);
}

TEST(OutStream, StringsAreCutToTheirLengthAndReadBack) {
  MemOutStream out;
  out.writeShortString(std::string(300, 's').c_str());  // cut to what a byte counts
  out.writeLongString("hello", 2);
  out.writeLongString("hello", 9);
  MemInStream in(out.data(), out.length());
  EXPECT_EQ(taken(in.readShortString()), std::string(255, 's'));
  EXPECT_EQ(taken(in.readLongString(100)), "he");
  EXPECT_EQ(taken(in.readLongString(100)), "hello");
  EXPECT_TRUE(in.atEndMsg());
}

TEST(MemOutStream, WriteBeyondTheLimitIsRefusedAndLosesNothing) {
  MemOutStream limited(0, 4);
  limited.writeBytes("abcd", 4);
  EXPECT_THROW(limited.writeU8('e'), OutStreamFull);
  EXPECT_THROW(limited.writeBytes("xy", 2), OutStreamFull);
  EXPECT_EQ(bytesOf(limited), "abcd");
  EXPECT_EQ(limited.nonBlockingBytes(), 0);
}

TEST(MemOutStream, PassingTheBlockToAStringLeavesTheStreamEmpty) {
  MemOutStream three(-1, 3);
  three.writeBytes("abc", 3);  // the terminator may go one byte past the limit
  plat::DString d;
  d.append("old text");
  three.passBufTo(&d);
  EXPECT_STREQ(d.get(), "abc");
  EXPECT_EQ(d.capacity(), 4);
  EXPECT_EQ(three.length(), 0);
  three.writeBytes("z", 1);  // allocates afresh
  std::unique_ptr<unsigned char[]> block(three.takeBuf());
  EXPECT_EQ(block[0], 'z');
  three.passBufTo(&d);  // without a block: the empty text
  EXPECT_STREQ(d.get(), "");
}

TEST(MemOutStream, PassingABlockSetsTheStringsLengthToItsFirstNul) {
  plat::DString d;
  MemOutStream out;
  out.writeBytes("ab\0cdefghi\0k", 12);
  out.passBufTo(&d);
  d.append("!");
  EXPECT_STREQ(d.get(), "ab!");
}

TEST(MemOutStream, GrowsForLargeWritesAndSkips) {
  MemOutStream out(4, 0);
  std::string big(10000, 'x');
  out.writeBytes(big.data(), int(big.size()));
  out.skip(5);
  EXPECT_EQ(bytesOf(out).substr(0, 10000), big);
  EXPECT_EQ(out.length(), 10005);
  EXPECT_DEATH(out.setPtr(out.ptr - 1), "p >= ptr && p <= end");
}

TEST(StringWriter, TextStaysTerminatedAfterEveryOperation) {
  MemOutStream out;
  StringWriter w(&out);
  EXPECT_EQ(out.ptr[0], 0);
  w.append("x", -1).appendChar('-', 3).prf("%d", 42);
  w.append("ab\0cd", 5).appendChar('!').appendChar('?', 0).append(nullptr);
  EXPECT_EQ(bytesOf(out), "x---42ab!");
  EXPECT_EQ(out.ptr[0], 0);
}

TEST(StringWriter, FormattingLongerThanTheBufferGrowsIt) {
  MemOutStream out(16, 0);
  std::string part(1000, 'L');
  StringWriter(&out).prf("[%s|%s]", part.c_str(), part.c_str());
  EXPECT_EQ(bytesOf(out), "[" + part + "|" + part + "]");
  EXPECT_EQ(out.ptr[0], 0);
}

TEST(StringWriter, TextBeyondTheLimitIsRefused) {
  MemOutStream out(-1, 4);
  StringWriter w(&out);
  w.append("abc");
  EXPECT_THROW(w.append("de"), OutStreamFull);
}

TEST(BufferedOutStream, GrowsForASlowSinkBeforeWaiting) {
  SlowSink sink(16384, 65536);
  std::string chunk(20000, 'c');
  sink.writeBytes(chunk.data(), int(chunk.size()));
  EXPECT_EQ(sink.bufSize, 32768);
  EXPECT_EQ(sink.nonBlockingBytes(), 65536 - 20000);
  sink.writeBytes(chunk.data(), int(chunk.size()));
  EXPECT_EQ(sink.bufSize, 65536);
  EXPECT_EQ(sink.received.size(), 0u);
  sink.writeBytes(chunk.data(), int(chunk.size()));
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
  SlowSink none(0, 0);
  EXPECT_THROW(none.writeU8(1), OutStreamFull);
}

TEST(BufferedOutStream, DefaultLimitComesFromTheSetting) {
  plat::ConfigParameter* param = plat::Configuration::global()->get("maxoutbuffersize");
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->getIntValue(), 4194304);
  ASSERT_TRUE(param->setParam("20000", 50));
  SlowSink sink(-1, -1);
  EXPECT_EQ(sink.maxBufSize, 20000);
  param->setParam("4194304", 50);
}
