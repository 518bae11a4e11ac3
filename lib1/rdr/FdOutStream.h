// An output stream over a file descriptor. Its buffer grows for a slow
// descriptor before a writer waits in select() (with a limit per wait).
#pragma once

#include "lib1/rdr/BufferedOutStream.h"

namespace rdr {

class FdOutStream : public BufferedOutStream {
 public:
  // Told of each write and of shutdown (the descriptor channel is one).
  class Callback {
   public:
    virtual void fdWritten(FdOutStream* stream, bool blocked) = 0;
    virtual void fdShutdown(FdOutStream* stream) = 0;
    virtual ~Callback() = default;
  };

  // A negative maxBufferSize takes the `MaxOutBufferSize` setting.
  FdOutStream(int descriptor, int waitMs = -1, int maxBufferSize = -1, bool closeAtEnd = false);
  // Tries a last non-waiting flush, telling nobody, then closes the
  // descriptor when asked to.
  ~FdOutStream() override;

  // Half-closes the descriptor once nothing is pending (else the owner calls
  // again after the last flush), and tells the callback either way.
  bool shutdown() override;
  using BufferedOutStream::write;

  int fd;
  bool closeWhenDone;
  // When cleared, a failed non-waiting write is logged and counts as nothing
  // written, without telling the callback: an owner waiting for a write
  // notification would then stall, so the descriptor channel keeps it set.
  bool throwOnError = true;
  int timeoutms;
  Callback* callback = nullptr;

 protected:
  int write(const void* data, int length, bool wait) override;
  // One write(2) call.
  virtual int fdWrite(const void* data, int length);
};

}  // namespace rdr
