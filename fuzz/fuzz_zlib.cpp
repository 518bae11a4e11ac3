// The decompressing stream over arbitrary bytes, in both modes. The first
// byte picks the mode and the output buffer size. Any stream or zlib error is
// fine; a crash, an overread or a hang is not.
#include <cstddef>
#include <cstdint>

#include "lib1/plat/Exception.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/ZlibInStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  bool gzip = data[0] & 1;
  int bufSize = (data[0] >> 1) * 64;  // 0 takes the default
  rdr::MemInStream src(data + 1, int(size - 1));
  try {
    rdr::ZlibInStream z(bufSize, gzip);
    z.rewindable = (data[0] & 0x80) != 0;
    z.setUnderlying(&src, (data[0] & 0x40) ? int(size / 2) : -1);
    unsigned sum = 0;
    for (int i = 0; i < (1 << 22); i++) {
      if (z.rewindable && i % 1000 == 0) z.checkpoint();
      sum += z.readU8();
    }
    (void)sum;
  } catch (plat::Exception&) {
  }
  return 0;
}
