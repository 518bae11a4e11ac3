// The channel over one file descriptor (a socket, a pipe, the X connection).
// While a handler is attached the channel is registered with the descriptor
// manager that was current when it was attached, its streams never wait, and
// its output is flushed in the background; a peer that takes no data for
// `LazyFlushTimeout` seconds ends it. States: open (0), output shut down (1),
// shutting down (2), after which it deletes itself from a timer of its
// manager. Deleting it directly also works and tells nobody.
#pragma once

#include "lib1/io/FdHandler.h"
#include "lib1/io/FdManager.h"
#include "lib1/io/Io.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Timer.h"

namespace io {

class FdIo : public Io,
             private plat::Timer::Callback,
             private rdr::FdOutStream::Callback,
             private FdHandler {
 public:
  // A negative fd leaves the channel without a descriptor until init.
  FdIo(int descriptor, bool closeWhenDone, bool connecting, int inBufSize, int outBufSize,
       bool nonBlocking);
  ~FdIo() override;

  // Gives a channel built without a descriptor its descriptor and streams.
  void init(int descriptor, bool closeWhenDone, int inBufSize, int outBufSize, bool nonBlocking);

  void setHandler(IoHandler* handler, bool readable) override;
  void shutdown(bool flush, bool tellHandler) override;
  void markReadable() override;
  FdIo* asFdIo() override { return this; }
  const char* displayName() override;
  const char* peerEndpoint() override { return ""; }
  const char* peerAddress() override { return ""; }
  const char* myEndpoint() override { return ""; }
  void setTimeouts(int ms) override;

  // The interests given to the manager, changed only when they differ.
  void selectIo(bool read, bool write);
  // The pending error of a non-blocking connect; throws "getsockopt".
  int getNonBlockingConnectStatus();

  int getFd() const { return fd; }
  int getState() const { return state_; }

 private:
  bool handleTimeout(plat::Timer* timer) override;
  void fdWritten(rdr::FdOutStream* stream, bool blocked) override;
  void fdShutdown(rdr::FdOutStream* stream) override;
  void fdReadable() override;
  void fdWritable() override;
  void fdSetConnectStatus(int status) override { connectStatus_ = status; }
  void fdMgrGone() override;

  // Timers run on the channel's own manager, even while a nested loop's
  // manager is current: they belong to the loop that serves the channel.
  void startTimer(plat::Timer* timer, int ms);
  void wake() { startTimer(&manager_->wakeUpTimer, 0); }
  // The peer took no data for too long and nobody will read to notice.
  void giveUpFlush();
  void finishShutdown();

  bool connecting_;
  FdManager* manager_ = nullptr;
  bool closeWhenDone_ = true;
  int connectStatus_ = 0;
  plat::DString displayName_;
  IoHandler* handler_ = nullptr;
  plat::Timer flushTimer_{this};
  plat::Timer shutdownTimer_{this};
  bool readSelected_ = false;
  bool writeSelected_ = false;
  int state_ = 0;
};

// `LazyFlushTimeout` in milliseconds, cut to what a timer can run (at least
// one second).
int lazyFlushTimeoutMs();

}  // namespace io
