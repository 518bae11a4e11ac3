#include "lib1/rdr/ZlibInStream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <string>

#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/Failure.h"

using namespace rdr;
using namespace std::string_literals;

namespace {

const char kTruncated[] = "ZlibInStream: compressed data truncated";

// Raw deflate (a gzip body) or zlib-wrapped data of text.
std::string deflate(const std::string& text, bool raw) {
  uLongf n = compressBound(text.size());
  std::string out(n, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &n, reinterpret_cast<const Bytef*>(text.data()),
            text.size(), 9);
  return raw ? out.substr(2, n - 6) : out.substr(0, n);  // raw: without header and checksum
}

std::string gzipMember(const std::string& text, unsigned flags, const std::string& extra = "xy") {
  std::string g = "\x1f\x8b\x08"s + char(flags) + std::string(6, '\0');
  if (flags & 4) g += std::string{char(extra.size() & 0xFF), char(extra.size() >> 8)} + extra;
  if (flags & 8) g += "font.bdf"s + '\0';
  if (flags & 16) g += "a comment"s + '\0';
  if (flags & 2) g += "\xAB\xCD";
  return g + deflate(text, true) + "CRC!LEN!";  // the trailer is never read
}

// Everything the stream yields up to its end; positions count inflated bytes.
std::string inflateAll(const std::string& data, bool gzip, int bufSize = 0, int bytesIn = -1) {
  MemInStream src(data.data(), int(data.size()));
  ZlibInStream z(bufSize, gzip);
  z.rewindable = false;
  z.setUnderlying(&src, bytesIn);
  std::string out;
  try {
    for (;;) out += char(z.readU8());
  } catch (EndOfStream&) {
  }
  EXPECT_EQ(z.pos(), int(out.size()));
  return out;
}

const std::string kText = [] {
  std::string t;
  for (int i = 0; i < 5000; i++) t += "line " + std::to_string(i * 7919 % 1000) + "\n";
  return t;
}();

}  // namespace

TEST(ZlibInStream, EveryGzipHeaderInflatesTheSame) {
  for (unsigned flags : {0u, 2u, 4u, 8u, 16u, 2u | 4u | 8u | 16u, 0xE0u})  // 0xE0: no meaning
    EXPECT_EQ(inflateAll(gzipMember(kText, flags), true), kText) << flags;
  std::string extra(0x0102, 'e');  // its length goes low byte first
  EXPECT_EQ(inflateAll(gzipMember(kText, 4, extra), true), kText);
  EXPECT_EQ(inflateAll(gzipMember("", 8), true), "");
}

TEST(ZlibInStream, ReadingPastACompleteMemberEndsTheStreamAndLeavesTheTrailer) {
  std::string member = gzipMember("abc", 0);
  MemInStream src(member.data(), int(member.size()));
  ZlibInStream z(0, true);
  z.setUnderlying(&src, -1);
  z.skip(3);
  for (int i = 0; i < 2; i++) EXPECT_THROW(z.readU8(), EndOfStream);
  EXPECT_EQ(src.pos(), int(member.size()) - 8);
}

TEST(ZlibInStream, OutputStillInTheInflaterWhenTheSourceEndsIsDelivered) {
  // Without the trailer the source is empty while inflated bytes wait.
  for (int n = 1; n < 300; n += 7) {
    std::string text = "abc" + std::string(n, 'z');
    std::string member = gzipMember(text, 0);
    member.resize(member.size() - 8);
    for (int bufSize : {1, 7}) EXPECT_EQ(inflateAll(member, true, bufSize), text) << n;
  }
}

// The fuzz target checks zlib-form endings against zlib; here gzip and the texts.
TEST(ZlibInStream, BadDataAndMisuseFailWithTheirMessages) {
  std::string member = gzipMember(kText, 8);
  std::string whole = deflate(kText, false), corrupt = whole;
  corrupt.replace(20, 20, 20, char(0xFF));
  const std::pair<std::function<void()>, const char*> rows[] = {
      {[] { inflateAll("", true); }, kTruncated},
      {[&] { inflateAll(member.substr(0, 3), true); }, kTruncated},   // in the header
      {[&] { inflateAll(member.substr(0, 12), true); }, kTruncated},  // in the file name
      {[&] { inflateAll(member.substr(0, member.size() / 2), true); }, kTruncated},
      {[&] { inflateAll("\x1f\x8c\x08\x00" + std::string(20, 0), true); }, "Bad gzip header"},
      {[&] { inflateAll("\x1f\x8b\x07\x00" + std::string(20, 0), true); }, "Bad gzip header"},
      {[&] { inflateAll(corrupt, false); }, "ZlibInStream: inflate failed"},
      {[&] { inflateAll(whole, false, 64, 10); }, "ZlibInStream: exceeded bytesIn"},
      {[] { ZlibInStream().readU8(); }, "ZlibInStream overrun: no underlying stream"},
      // The sanitizer build's leak check catches an inflater left behind.
      {[] { ZlibInStream(-1, false); }, "ZlibInStream: negative buffer size"},
  };
  for (const auto& [run, message] : rows) EXPECT_EQ(gwtest::failureOf(run), message) << message;
}

TEST(ZlibInStream, BudgetThatExactlyFitsEndsLikeACompleteStream) {
  std::string data = deflate(kText, false);
  EXPECT_EQ(inflateAll(data, false, 0, int(data.size())), kText);
}
