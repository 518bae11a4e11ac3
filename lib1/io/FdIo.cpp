#include "lib1/io/FdIo.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

#include "lib1/os/unix/FdUtil.h"
#include "lib1/os/unix/SocketUtil.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/TimerManager.h"

namespace io {

PLAT_LOG_WRITER(vlog, "FdIo");

static plat::IntParameter lazyFlushTimeout(
    "LazyFlushTimeout",
    "Maximum number of seconds for which attempts should be made to flush data to an "
    "unresponsive client (maximum 49 days)",
    300, true, nullptr);

int lazyFlushTimeoutMs() {
  // The setting takes any int, the timer an int of milliseconds: 0 or less
  // would give up at once, and more than this would overflow.
  return std::clamp(lazyFlushTimeout.getValue(), 1, 2147483) * 1000;
}

namespace {
const char* yesNo(bool b) { return b ? "true" : "false"; }
}  // namespace

FdIo::FdIo(int descriptor, bool closeWhenDone, bool connecting, int inBufSize, int outBufSize,
           bool nonBlocking)
    : connecting_(connecting) {
  os::systemInitSockets();
  if (descriptor >= 0) init(descriptor, closeWhenDone, inBufSize, outBufSize, nonBlocking);
}

FdIo::~FdIo() {
  setHandler(nullptr, true);
  // After shutdown(.., false) the handler is gone but the channel is still
  // registered until its timer runs: a direct delete must not leave it there.
  if (manager_) manager_->registerHandler(this, false);
  manager_ = nullptr;
  in.reset();
  out.reset();
  if (closeWhenDone_ && fd >= 0) os::fdClose(fd);
  flushTimer_.stop();
  shutdownTimer_.stop();
}

void FdIo::init(int descriptor, bool closeWhenDone, int inBufSize, int outBufSize,
                bool nonBlocking) {
  PLAT_ASSERT(fd < 0);
  fd = descriptor;
  closeWhenDone_ = closeWhenDone;
  in = std::make_unique<rdr::FdInStream>(fd, -1, inBufSize, false, false);
  out = std::make_unique<rdr::FdOutStream>(fd, -1, outBufSize, false);
  out->callback = this;
  // The owner's own write errors would go unseen otherwise (see FdOutStream).
  if (nonBlocking) os::fdSetBlocking(fd, false);
}

void FdIo::startTimer(plat::Timer* timer, int ms) {
  timer->stop();
  manager_->timerManager()->start(timer, ms);
}

void FdIo::setHandler(IoHandler* handler, bool readable) {
  if (!handler_ && !handler) return;
  handler_ = handler;
  if (!manager_) {
    FdManager* fdMgr = FdManager::threadInstance();
    PLAT_ASSERT(fdMgr);
    manager_ = fdMgr;
  }
  manager_->registerHandler(this, handler != nullptr);
  if (state_ != 2) selectIo(handler && readable, handler && connecting_);
  if (handler) {
    if (readable && in && (in->ptr < in->end || in->timedOut))
      manager_->markReady(this, true, false);
    if (!connecting_) manager_->markReady(this, false, true);
    wake();
  } else {
    flushTimer_.stop();
    manager_ = nullptr;
  }
  if (in) in->nonBlocking = handler != nullptr;
  if (out) out->nonBlockingFlush = handler != nullptr;
}

void FdIo::selectIo(bool read, bool write) {
  if (read == readSelected_ && write == writeSelected_) return;
  readSelected_ = read;
  writeSelected_ = write;
  if (manager_) manager_->selectHandler(this, read, write, false, false, false);
}

void FdIo::markReadable() {
  if (!manager_ || state_ == 2) return;
  manager_->markReady(this, true, false);
  wake();
}

const char* FdIo::displayName() {
  if (!displayName_.length()) displayName_.prf("<fd%d>", fd);
  return displayName_.get();
}

void FdIo::setTimeouts(int ms) {
  if (in) in->timeoutms = ms;
  if (out) out->timeoutms = ms;
}

int FdIo::getNonBlockingConnectStatus() {
  if (connectStatus_ != 0) return connectStatus_;
  socklen_t len = sizeof connectStatus_;
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &connectStatus_, &len) < 0)
    throw plat::SystemException("getsockopt", errno);
  return connectStatus_;
}

void FdIo::fdReadable() {
  IoHandler* handler = handler_;
  PLAT_ASSERT(handler);
  try {
    handler->ioReadable(this);
  } catch (plat::Exception& e) {
    vlog().info("Read error: %s", e.str());
    shutdown(false, true);
  }
}

void FdIo::fdWritable() {
  try {
    connecting_ = false;
    selectIo(readSelected_, false);
    if (out->unflushedBytes() > 0) {
      out->bgFlush(!out->nonBlockingFlush);
      return;
    }
    if (state_ == 2) {
      startTimer(&shutdownTimer_, 0);
    } else if (state_ == 1) {
      out->shutdown();
      manager_->unmarkWritable(this);
    } else {
      IoHandler* handler = handler_;
      PLAT_ASSERT(handler);
      handler->ioWritable(this);
    }
  } catch (plat::Exception& e) {
    vlog().info("Write error: %s", e.str());
    shutdown(false, true);
  }
}

void FdIo::fdWritten(rdr::FdOutStream*, bool blocked) {
  if (blocked) {
    selectIo(readSelected_, true);
    // Every blocked attempt starts the limit afresh.
    if (manager_) startTimer(&flushTimer_, lazyFlushTimeoutMs());
    return;
  }
  if (!manager_) return;
  flushTimer_.stop();
  manager_->markReady(this, false, true);
  wake();
}

void FdIo::fdShutdown(rdr::FdOutStream*) {
  if (state_ == 0) state_ = 1;
}

bool FdIo::handleTimeout(plat::Timer* timer) {
  if (timer == &shutdownTimer_) {
    finishShutdown();
    return false;
  }
  if (handler_ && readSelected_) {
    // The handler's next read fails with "Timed out", and the read error
    // ends the channel.
    in->timedOut = true;
    manager_->markReady(this, true, false);
    wake();
  } else if (manager_) {
    giveUpFlush();
  }
  return false;
}

void FdIo::giveUpFlush() {
  // Nobody reads from this channel, so a timed-out read would never be
  // noticed: drop what the peer would not take and end the channel here.
  vlog().info("Write error: %s", plat::TimedOut().str());
  out->sentPtr = out->ptr;
  if (state_ == 2)
    startTimer(&shutdownTimer_, 0);
  else
    shutdown(false, true);
}

void FdIo::finishShutdown() {
  vlog().debug("shutdown complete %p (fd=%d)", (void*)this, fd);
  if (handler_) {
    try {
      handler_->ioShutdown(this);
    } catch (plat::Exception& e) {
      vlog().info("Shutdown error: %s", e.str());
    }
  }
  if (manager_) manager_->registerHandler(this, false);
  manager_ = nullptr;
  handler_ = nullptr;
  delete this;
}

void FdIo::shutdown(bool flush, bool tellHandler) {
  vlog().debug("shutdown %p (fd=%d), flush %s (tellHandler %s)", (void*)this, fd, yesNo(flush),
               yesNo(tellHandler));
  if (!manager_) {
    PLAT_ASSERT(!tellHandler);
    vlog().debug("immediate shutdown %p (fd=%d)", (void*)this, fd);
    delete this;
    return;
  }
  state_ = 2;
  selectIo(false, false);
  if (!tellHandler) handler_ = nullptr;
  if (flush) {
    manager_->markReady(this, false, true);
    wake();
  } else {
    startTimer(&shutdownTimer_, 0);
  }
}

void FdIo::fdMgrGone() {
  // The manager has already forgotten this channel.
  manager_ = nullptr;
  if (state_ != 2) {
    handler_ = nullptr;
    return;
  }
  if (handler_) {
    try {
      handler_->ioShutdown(this);
    } catch (plat::Exception& e) {
      vlog().info("Shutdown error: %s", e.str());
    }
  }
  vlog().debug("shutdown completed by FdManager dtor %p (fd=%d)", (void*)this, fd);
  handler_ = nullptr;
  delete this;
}

}  // namespace io
