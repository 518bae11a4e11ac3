// An input stream with a buffer of its own, filled by read(). File and
// descriptor streams derive from it.
#pragma once

#include "lib1/rdr/InStream.h"

namespace rdr {

class BufferedInStream : public InStream {
 public:
  static constexpr int DEFAULT_BUF_SIZE = 16800;

  explicit BufferedInStream(int size = -1);  // negative: the default
  ~BufferedInStream() override;
  BufferedInStream(const BufferedInStream&) = delete;
  BufferedInStream& operator=(const BufferedInStream&) = delete;

  // Positions past 2 GiB saturate: the offset itself is kept in 64 bits.
  int pos() override;

  int bufSize;
  long long offset = 0;
  unsigned char* start;
  bool hexDumpData = false;  // dump every chunk read to standard error

 protected:
  bool overrun(int itemSize) override;
  // Stores up to len bytes: the count (at least 1), or 0 when no data is
  // available now. Throws EndOfStream at the end of the data.
  virtual int read(void* buf, int len) = 0;
};

}  // namespace rdr
