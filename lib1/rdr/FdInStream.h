// An input stream over a file descriptor. A read that finds no data waits in
// select() (with a limit per wait), or returns at once in non-blocking mode
// so that a rewindable reader goes back to its checkpoint.
#pragma once

#include "lib1/rdr/BufferedInStream.h"

namespace rdr {

class FdInStream : public BufferedInStream {
 public:
  FdInStream(int descriptor, int waitMs = -1, int bufferSize = -1, bool closeAtEnd = false,
             bool noWait = false);
  ~FdInStream() override;

  int fd;
  bool closeWhenDone;
  bool nonBlocking;
  bool timedOut = false;  // set from outside: every later read times out
  int timeoutms;

 protected:
  int read(void* buf, int len) override;
};

}  // namespace rdr
