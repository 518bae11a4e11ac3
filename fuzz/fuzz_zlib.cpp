// The decompressing stream over arbitrary bytes, in both modes. The first
// byte picks the mode and the output buffer size. Any stream or zlib error is
// fine; a crash, an overread or a hang is not. In zlib mode without a budget
// the result is checked against zlib inflating the whole input at once: the
// stream ends cleanly exactly when the data is complete, and never loses or
// invents a byte.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/ZlibInStream.h"

namespace {

constexpr int kMaxOutput = 1 << 22;

// zlib's own result: the inflated bytes and whether the data was complete
// (1 for Z_STREAM_END, 0 when it wants more input, -1 for data it rejects).
struct Reference {
  const char* out;
  size_t length;
  int complete;
};

Reference inflateAtOnce(const uint8_t* data, size_t size) {
  static std::string buf(kMaxOutput + 1, '\0');  // filled once, not per input
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) __builtin_trap();
  zs.next_in = const_cast<uint8_t*>(data);
  zs.avail_in = unsigned(size);
  zs.next_out = reinterpret_cast<Bytef*>(buf.data());
  zs.avail_out = unsigned(buf.size());
  int rc = inflate(&zs, Z_NO_FLUSH);
  Reference r{buf.data(), zs.total_out,
              rc == Z_STREAM_END                  ? 1
              : (rc == Z_OK || rc == Z_BUF_ERROR) ? 0
                                                  : -1};
  inflateEnd(&zs);
  return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  bool gzip = data[0] & 1;
  int bufSize = (data[0] >> 1) * 64;  // 0 takes the default
  bool rewindable = (data[0] & 0x80) != 0;
  bool budget = (data[0] & 0x40) != 0;
  rdr::MemInStream src(data + 1, int(size - 1));
  std::string out;
  int ending = 2;  // 1: end of stream, 0: truncated, -1: other error, 2: still going
  try {
    rdr::ZlibInStream z(bufSize, gzip);
    z.rewindable = rewindable;
    z.setUnderlying(&src, budget ? int(size / 2) : -1);
    for (int i = 0; i < kMaxOutput; i++) {
      if (z.rewindable && i % 1000 == 0) z.checkpoint();
      out += char(z.readU8());
    }
  } catch (rdr::EndOfStream&) {
    ending = 1;
  } catch (plat::Exception& e) {
    ending = strcmp(e.str(), "ZlibInStream: compressed data truncated") == 0 ? 0 : -1;
  }
  if (gzip || rewindable || budget || ending == 2) return 0;
  Reference ref = inflateAtOnce(data + 1, size - 1);
  if (ending != ref.complete) __builtin_trap();
  if (ending >= 0 && (out.size() != ref.length || memcmp(out.data(), ref.out, ref.length) != 0))
    __builtin_trap();
  return 0;
}
