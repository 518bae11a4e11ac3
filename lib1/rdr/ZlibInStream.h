// An input stream of the inflated bytes of another stream: a zlib-wrapped
// deflate stream, or with the gzip flag a gzip member (header skipped, raw
// deflate body inflated, trailer never read).
//
// One object decodes one compressed stream: attaching a new source drops the
// buffered output but does not reset the inflater.
#pragma once

#include <cstdint>

#include "lib1/rdr/InStream.h"

typedef struct z_stream_s z_stream;

namespace rdr {

class ZlibInStream : public InStream {
 public:
  static constexpr int DEFAULT_BUF_SIZE = 16800;

  explicit ZlibInStream(int bufSize = 0, bool gzip = false);  // 0: the default size
  ~ZlibInStream() override;
  ZlibInStream(const ZlibInStream&) = delete;
  ZlibInStream& operator=(const ZlibInStream&) = delete;

  // Attaches the compressed source, with a budget of compressed bytes it may
  // take (-1: no limit).
  void setUnderlying(InStream* is, int bytesIn);
  // Consumes one gzip member header from is.
  static void skipGzipHeader(InStream* is);
  // One inflate step: false when the source has no data now.
  bool decompress();
  // Drops all buffered output, inflates once from what the source holds now
  // and drops that output too.
  void discard();

  int pos() override;

  InStream* underlying = nullptr;
  int bufSize;
  long long offset = 0;
  uint32_t bytesIn = 0;  // all ones: no limit

 protected:
  bool overrun(int itemSize) override;

 private:
  z_stream* zs;
  unsigned char* start;
  bool gzip;
  bool streamEnded = false;
};

}  // namespace rdr
