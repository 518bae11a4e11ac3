// An input stream of the inflated bytes of another stream: a zlib-wrapped
// deflate stream, or with the gzip flag a gzip member (header skipped, raw
// deflate body inflated, trailer never read).
//
// One object decodes one compressed stream: attaching a new source drops the
// buffered output but does not reset the inflater.
//
// How the stream ends tells whether the data was whole: after the end of the
// compressed data a read throws EndOfStream; a source that ends before it
// gives "ZlibInStream: compressed data truncated", so that a cut-off file is
// never taken for a complete one.
#pragma once

#include <cstdint>
#include <memory>

#include "lib1/rdr/InStream.h"

typedef struct z_stream_s z_stream;

namespace rdr {

class ZlibInStream : public InStream {
 public:
  static constexpr int DEFAULT_BUF_SIZE = 16800;

  // A size of 0 takes the default; a negative one is refused.
  explicit ZlibInStream(int size = 0, bool gzipMember = false);
  ~ZlibInStream() override;
  ZlibInStream(const ZlibInStream&) = delete;
  ZlibInStream& operator=(const ZlibInStream&) = delete;

  // Attaches the compressed source, with a budget of compressed bytes it may
  // take (-1: no limit).
  void setUnderlying(InStream* is, int budget);
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
  // Ends the inflater and frees its state.
  struct InflaterDeleter {
    void operator()(z_stream* zs) const;
  };

  std::unique_ptr<z_stream, InflaterDeleter> zs_;
  std::unique_ptr<unsigned char[]> start_;
  bool gzip_;
  bool streamEnded_ = false;
};

}  // namespace rdr
