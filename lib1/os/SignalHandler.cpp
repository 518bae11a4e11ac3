#include "lib1/os/SignalHandler.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "lib1/os/unix/FdUtil.h"
#include "lib1/os/unix/SocketUtil.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/rdr/Exceptions.h"

namespace os {

namespace {

// Plain ints, so that they hold -1 before any constructor runs and the
// handler reads them without touching an object.
int sigSockets[2] = {-1, -1};

void setAction(int sig, void (*action)(int)) {
  struct sigaction sa = {};
  sa.sa_handler = action;
  sigemptyset(&sa.sa_mask);
  // No SA_RESTART: the loop's select() returns with EINTR and takes that
  // as a wake-up.
  sa.sa_flags = 0;
  sigaction(sig, &sa, nullptr);
}

}  // namespace

SigProcMaskRestorer::SigProcMaskRestorer() {
  sigemptyset(&sigs);
  sigemptyset(&oldMask);
}

void SigProcMaskRestorer::restoreMask() {
  if (!active) return;
  sigprocmask(SIG_SETMASK, &oldMask, nullptr);
  active = false;
}

void SigProcMaskRestorer::unregisterSignals() {
  for (int sig = 1; sig <= maxSig; sig++)
    if (sigismember(&sigs, sig) == 1) setAction(sig, SIG_DFL);
}

SignalHandler::Callback::~Callback() = default;

SignalHandler* SignalHandler::getInstance() {
  static SignalHandler instance;
  return &instance;
}

SignalHandler::SignalHandler() {
  PLAT_ASSERT(sigSockets[0] == -1 && sigSockets[1] == -1);
  int pair[2];
  socketPair(pair);
  try {
    fdSetBlocking(pair[0], false);
    fdSetBlocking(pair[1], false);
  } catch (plat::Exception&) {
    fdClose(pair[0]);
    fdClose(pair[1]);
    throw;
  }
  sigSockets[0] = pair[0];
  sigSockets[1] = pair[1];
  fd = pair[0];
}

SignalHandler::~SignalHandler() {
  // Destroyed at exit, possibly before the manager it is registered with:
  // left there, the manager would call a dead object when it goes.
  if (fdMgr_) fdMgr_->registerHandler(this, false);
}

void SignalHandler::handler(int sig) {
  int saved = errno;
  unsigned char byte = (unsigned char)sig;
  // Non-blocking: with the socket full the byte is lost, but the handler
  // never stalls the interrupted code.
  ssize_t n = ::write(sigSockets[1], &byte, 1);
  (void)n;
  errno = saved;
}

void SignalHandler::setCallback_(int sig, Callback* cb, bool add) {
  if (add) {
    registrations_.emplace_back(sig, cb);
    setAction(sig, handler);
    if (!fdMgr_) {
      io::FdManager* fdMgr = io::FdManager::threadInstance();
      PLAT_ASSERT_MSG(fdMgr, "SignalHandler requires an FdManager");
      fdMgr_ = fdMgr;
      fdMgr_->registerHandler(this, true);
      fdMgr_->selectHandler(this, true, false, false, false, false);
    }
    return;
  }
  Entry e(sig, cb);
  std::erase(registrations_, e);
  std::erase(dispatching_, e);
  bool remaining = std::any_of(registrations_.begin(), registrations_.end(),
                               [sig](const Entry& r) { return r.first == sig; });
  if (!remaining) setAction(sig, SIG_DFL);
}

void SignalHandler::blockHandledSignals_(SigProcMaskRestorer* restorer) {
  for (const Entry& r : registrations_) {
    sigaddset(&restorer->sigs, r.first);
    restorer->maxSig = std::max(restorer->maxSig, r.first);
  }
  sigprocmask(SIG_BLOCK, &restorer->sigs, &restorer->oldMask);
  restorer->active = true;
}

void SignalHandler::fdReadable() {
  // One byte per read: a callback that throws leaves the bytes after its
  // own in the socket, so their signals are dispatched in the next pass
  // instead of being lost with a read-ahead buffer.
  for (;;) {
    unsigned char byte;
    ssize_t n = ::read(fd, &byte, 1);
    if (n == 1) {
      try {
        dispatch(byte);
      } catch (rdr::BlockException&) {
        return;
      }
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    // Empty (EAGAIN), or a socket that can no longer be read: either way
    // the pass is over, and the loop must not wait here.
    return;
  }
}

void SignalHandler::dispatch(int sig) {
  dispatching_ = registrations_;
  while (!dispatching_.empty()) {
    Entry e = dispatching_.back();
    dispatching_.pop_back();
    if (e.first == sig) e.second->handleSignal(sig);
  }
}

void SignalHandler::fdMgrGone() { fdMgr_ = nullptr; }

const char* strSignal(int sig) {
  switch (sig) {
#define NAME(s) \
  case s:       \
    return #s;
    NAME(SIGHUP)
    NAME(SIGINT)
    NAME(SIGQUIT)
    NAME(SIGILL)
    NAME(SIGTRAP)
    NAME(SIGABRT)
#ifdef SIGEMT
    NAME(SIGEMT)
#endif
    NAME(SIGFPE)
    NAME(SIGKILL)
    NAME(SIGBUS)
    NAME(SIGSEGV)
    NAME(SIGSYS)
    NAME(SIGPIPE)
    NAME(SIGALRM)
    NAME(SIGTERM)
    NAME(SIGUSR1)
    NAME(SIGUSR2)
    NAME(SIGCHLD)
    NAME(SIGPWR)
    NAME(SIGWINCH)
    NAME(SIGURG)
    NAME(SIGIO)
    NAME(SIGSTOP)
    NAME(SIGTSTP)
    NAME(SIGCONT)
    NAME(SIGTTIN)
    NAME(SIGTTOU)
    NAME(SIGVTALRM)
    NAME(SIGPROF)
    NAME(SIGXCPU)
    NAME(SIGXFSZ)
#if defined(SIGLOST) && SIGLOST != SIGPWR
    NAME(SIGLOST)
#endif
#undef NAME
  }
  return nullptr;
}

}  // namespace os
