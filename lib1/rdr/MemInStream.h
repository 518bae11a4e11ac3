// An input stream over a memory block, which it frees only when asked to.
#pragma once

#include "lib1/rdr/InStream.h"

namespace rdr {

class MemInStream : public InStream {
 public:
  MemInStream(const void* data, int length, bool deleteAtEnd = false)
      : start(static_cast<const unsigned char*>(data)), deleteWhenDone(deleteAtEnd) {
    ptr = checkpointPtr = start;
    end = start + length;
  }
  ~MemInStream() override;

  int pos() override { return int(ptr - start); }
  bool atEndMsg() override { return ptr == end; }

  const unsigned char* start;
  bool deleteWhenDone;

 protected:
  bool overrun(int itemSize) override;
};

}  // namespace rdr
