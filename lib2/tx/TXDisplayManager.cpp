#include "lib2/tx/TXDisplayManager.h"

namespace tx {

TXDisplayManager::~TXDisplayManager() {
  // The connection stays open; only the channel goes.
  io_->shutdown(flush_, tellHandler_);
  io_ = nullptr;
}

void TXDisplayManager::watch(int fd) {
  // Not closed with the channel, and left blocking: the descriptor is Xlib's.
  // Default buffer sizes, although the streams are never used.
  io_->init(fd, false, -1, -1, false);
  io_->setHandler(this, true);
}

}  // namespace tx
