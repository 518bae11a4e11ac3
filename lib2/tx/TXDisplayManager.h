// Watches the X connection's descriptor in the descriptor loop, only so that
// a wait wakes when the server sends something. It reads nothing: Xlib reads
// the events in the next tx::handleXEvents.
#pragma once

#include "lib1/io/FdIo.h"

namespace tx {

class TXDisplayManager : public io::IoHandler {
 public:
  // Takes over io, a channel without a descriptor yet.
  explicit TXDisplayManager(io::FdIo* io) : io_(io) {}
  ~TXDisplayManager() override;
  TXDisplayManager(const TXDisplayManager&) = delete;
  TXDisplayManager& operator=(const TXDisplayManager&) = delete;

  // Gives the channel the connection's descriptor and starts watching it.
  void watch(int fd);
  void ioReadable(io::Io*) override {}

 private:
  io::FdIo* io_;  // owned; a shut-down channel deletes itself
  bool flush_ = false;
  bool tellHandler_ = false;
};

}  // namespace tx
