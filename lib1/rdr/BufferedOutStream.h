// An output stream with a buffer of its own, emptied by write(). When the
// sink is slow the buffer grows, doubling up to maxBufSize, before any writer
// waits.
#pragma once

#include "lib1/rdr/OutStream.h"

namespace rdr {

class BufferedOutStream : public OutStream {
 public:
  static constexpr int DEFAULT_BUF_SIZE = 16384;

  // A negative size takes the default; a negative maxSize the value of the
  // `MaxOutBufferSize` setting.
  BufferedOutStream(int size, int maxSize);
  // Frees the buffer without flushing: derived streams flush in their own
  // destructors.
  ~BufferedOutStream() override;
  BufferedOutStream(const BufferedOutStream&) = delete;
  BufferedOutStream& operator=(const BufferedOutStream&) = delete;

  int length() override;
  int unflushedBytes() override { return int(ptr - sentPtr); }
  int nonBlockingBytes() override;
  int overrun(int itemSize, int nItems) override;

  // One call of the sink; false when it took nothing.
  bool write(bool wait);
  // Hands the pending bytes to the sink; false when it would block.
  bool bgFlush(bool wait);
  bool flush(bool wait);
  void flush() override { flush(!nonBlockingFlush); }

  int bufSize;
  int maxBufSize;
  long long offset = 0;
  unsigned char* start;
  unsigned char* sentPtr;
  bool nonBlockingFlush = false;
  bool hexDumpData = false;

 protected:
  // Stores up to length bytes into the sink and returns the count; 0 when
  // the sink would block and wait is false.
  virtual int write(const void* data, int length, bool wait) = 0;
};

// A buffered stream whose sink never blocks, so its buffer never grows and
// callers never hold data back for it.
class BufferedNBOutStream : public BufferedOutStream {
 public:
  explicit BufferedNBOutStream(int size) : BufferedOutStream(size, 0) {}
  int nonBlockingBytes() override;
};

}  // namespace rdr
