#include "lib1/rdr/ZlibInStream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "tests/support/Failure.h"

using namespace rdr;
using gwtest::failureOf;

namespace {

const char kTruncated[] = "ZlibInStream: compressed data truncated";

// Raw deflate (a gzip body) or zlib-wrapped data of text.
std::string deflate(const std::string& text, bool raw) {
  z_stream zs{};
  deflateInit2(&zs, 9, Z_DEFLATED, raw ? -15 : 15, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&zs, text.size()) + 16, '\0');
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  zs.avail_in = unsigned(text.size());
  zs.next_out = reinterpret_cast<Bytef*>(out.data());
  zs.avail_out = unsigned(out.size());
  EXPECT_EQ(deflate(&zs, Z_FINISH), Z_STREAM_END);
  out.resize(zs.total_out);
  deflateEnd(&zs);
  return out;
}

std::string gzipMember(const std::string& text, unsigned char flags,
                       const std::string& extra = "") {
  std::string g("\x1f\x8b\x08", 3);
  g += char(flags);
  g += std::string(6, '\0');
  if (flags & 4) {
    g += char(extra.size() & 0xFF);
    g += char(extra.size() >> 8);
    g += extra;
  }
  if (flags & 8) g += std::string("font.bdf") + '\0';
  if (flags & 16) g += std::string("a comment") + '\0';
  if (flags & 2) g += "\xAB\xCD";
  g += deflate(text, true);
  g += std::string("CRC!LEN!");  // the trailer, never read
  return g;
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

std::string sampleText() {
  std::string t;
  for (int i = 0; i < 5000; i++) t += "line " + std::to_string(i * 7919 % 1000) + "\n";
  return t;
}

}  // namespace

TEST(ZlibInStream, EveryFormAndHeaderInflatesTheSame) {
  std::string text = sampleText();
  std::vector<std::string> members;
  for (unsigned flags : {0u, 2u, 4u, 8u, 16u, 2u | 8u, 2u | 4u | 8u | 16u, 0xE0u})
    members.push_back(gzipMember(text, flags, "xy"));                // 0xE0: bits with no meaning
  members.push_back(gzipMember(text, 4, std::string(0x0102, 'e')));  // length low byte first
  for (const std::string& member : members) EXPECT_EQ(inflateAll(member, true), text);
  EXPECT_EQ(inflateAll(deflate(text, false), false, 64), text);
  EXPECT_EQ(inflateAll(gzipMember("", 8), true), "");
}

TEST(ZlibInStream, ReadingPastACompleteMemberEndsTheStreamAndLeavesTheTrailer) {
  std::string member = gzipMember("abc", 0);
  MemInStream src(member.data(), int(member.size()));
  ZlibInStream z(0, true);
  z.setUnderlying(&src, -1);
  char buf[3];
  z.readBytes(buf, 3);
  EXPECT_THROW(z.readU8(), EndOfStream);
  EXPECT_THROW(z.readU8(), EndOfStream);
  EXPECT_EQ(src.pos(), int(member.size()) - 8);
}

TEST(ZlibInStream, OutputStillInTheInflaterWhenTheSourceEndsIsDelivered) {
  // Members without their trailer, so the source is empty while a small
  // output buffer leaves inflated bytes behind in the inflater.
  for (int n = 1; n < 300; n += 7) {
    std::string text = "abc" + std::string(n, 'z');
    std::string member = gzipMember(text, 0);
    member.resize(member.size() - 8);
    for (int bufSize : {1, 7}) EXPECT_EQ(inflateAll(member, true, bufSize), text) << n;
  }
}

TEST(ZlibInStream, DataCutShortIsReportedAsTruncated) {
  std::string text = sampleText();
  std::string member = gzipMember(text, 8);
  std::string zlib = deflate(text, false);
  struct Case {
    std::string data;
    bool gzip;
  } cases[] = {{"", true},
               {member.substr(0, 3), true},   // in the header
               {member.substr(0, 12), true},  // in the file name
               {member.substr(0, 40), true},
               {member.substr(0, member.size() / 2), true},
               {zlib.substr(0, zlib.size() - 2), false}};  // in the checksum
  for (const Case& c : cases)
    EXPECT_EQ(failureOf([&] { inflateAll(c.data, c.gzip); }), kTruncated) << c.data.size();
}

TEST(ZlibInStream, BadGzipMagicOrMethodIsRefused) {
  for (const char* header : {"\x1f\x8c\x08\x00", "\x1f\x8b\x07\x00"}) {
    std::string bad = std::string(header, 4) + std::string(20, '\0');
    MemInStream src(bad.data(), int(bad.size()));
    ZlibInStream z(0, true);
    EXPECT_EQ(failureOf([&] { z.setUnderlying(&src, -1); }), "Bad gzip header");
  }
}

TEST(ZlibInStream, CorruptDataFailsToInflate) {
  std::string corrupt = deflate(sampleText(), false);
  for (size_t i = 20; i < 40; i++) corrupt[i] = char(0xFF);
  EXPECT_EQ(failureOf([&] { inflateAll(corrupt, false); }), "ZlibInStream: inflate failed");
}

TEST(ZlibInStream, ReadWithoutASourceFails) {
  ZlibInStream unattached;
  EXPECT_EQ(failureOf([&] { unattached.readU8(); }), "ZlibInStream overrun: no underlying stream");
}

TEST(ZlibInStream, NegativeBufferSizeIsRefusedWithoutLeakingTheInflater) {
  // The inflater is set up first: the sanitizer build's leak check catches
  // one left behind.
  EXPECT_EQ(failureOf([] { ZlibInStream(-1, false); }), "ZlibInStream: negative buffer size");
}

TEST(ZlibInStream, SpentBudgetStopsTheStream) {
  std::string data = deflate(sampleText(), false);
  MemInStream src(data.data(), int(data.size()));
  ZlibInStream z(64, false);
  z.rewindable = false;
  z.setUnderlying(&src, 10);
  EXPECT_EQ(failureOf([&] {
              for (;;) z.readU8();
            }),
            "ZlibInStream: exceeded bytesIn");
  EXPECT_EQ(src.pos(), 10);
}

TEST(ZlibInStream, BudgetThatExactlyFitsEndsLikeACompleteStream) {
  std::string text = sampleText();
  std::string data = deflate(text, false);
  EXPECT_EQ(inflateAll(data, false, 0, int(data.size())), text);
}

TEST(ZlibInStream, RewindableStreamMustBeCheckpointed) {
  std::string data = deflate(sampleText(), false);
  MemInStream src(data.data(), int(data.size()));
  ZlibInStream z(100, false);
  z.setUnderlying(&src, -1);
  z.skip(100);
  EXPECT_EQ(failureOf([&] { z.readU8(); }), "InStream overrun: buffer size exceeded");
  z.checkpoint();
  EXPECT_EQ(z.readU8(), unsigned(sampleText()[100]));
}

TEST(ZlibInStream, DiscardDropsWhatTheSourceHolds) {
  std::string data = deflate("0123456789", false);
  MemInStream src(data.data(), int(data.size()));
  ZlibInStream z(0, false);
  z.setUnderlying(&src, -1);
  z.discard();
  EXPECT_EQ(z.ptr, z.end);
  EXPECT_THROW(z.readU8(), EndOfStream);
}
