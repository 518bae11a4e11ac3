// An output stream into a growing memory block that it owns until the block
// is taken (takeBuf) or handed on (passBufTo).
#pragma once

#include "lib1/plat/Buffers.h"
#include "lib1/plat/Forward.h"
#include "lib1/rdr/OutStream.h"

namespace rdr {

class MemOutStream : public OutStream {
 public:
  // A negative initialSize takes 256 bytes; maxLength 0 means no limit.
  explicit MemOutStream(int initialSize = -1, int maxLength = 0);
  ~MemOutStream() override;
  MemOutStream(const MemOutStream&) = delete;
  MemOutStream& operator=(const MemOutStream&) = delete;

  int length() override { return int(ptr - start); }
  int nonBlockingBytes() override;
  void writeBytes(const void* data, int length) override;
  int overrun(int itemSize, int nItems) override;

  void setMaxLen(int limit);
  const unsigned char* data() const { return start; }

  // The block, for the caller to free with array delete; the stream is left
  // empty and allocates afresh on the next write.
  unsigned char* takeBuf();
  // Terminates the text (one byte beyond the limit is allowed for the NUL)
  // and gives the block to s, whose capacity becomes the bytes used.
  void passBufTo(plat::DString* s);
  // Gives the block to m, without a terminator.
  void passBufTo(plat::MBuf<unsigned char>* m);

  unsigned char* start;
  int capacity;
  int maxLen = 0;

 private:
  void reset();
};

}  // namespace rdr
