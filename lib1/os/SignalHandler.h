// Signals as ordinary calls from the descriptor loop. The C-level handler
// only writes the signal number as one byte into a socket pair; the reading
// end is a descriptor of the loop, and the callbacks run when it is readable.
// There is one dispatcher per process; it lives from its first use to exit,
// and its socket pair stays open for that whole time.
#pragma once

#include <signal.h>

#include <utility>
#include <vector>

#include "lib1/io/FdHandler.h"
#include "lib1/io/FdManager.h"

namespace os {

// Blocks a set of signals for a stretch of code and puts the previous mask
// back. unregisterSignals and restoreMask allocate nothing, so a child
// between fork and exec may call them.
class SigProcMaskRestorer {
 public:
  SigProcMaskRestorer();
  ~SigProcMaskRestorer() { restoreMask(); }
  SigProcMaskRestorer(const SigProcMaskRestorer&) = delete;
  SigProcMaskRestorer& operator=(const SigProcMaskRestorer&) = delete;

  // Puts the previous mask back once; later calls do nothing.
  void restoreMask();
  // Every signal of the set back to its default action.
  void unregisterSignals();

  bool active = false;
  int maxSig = 0;  // the highest signal number in the set, 0 when empty
  sigset_t sigs;
  sigset_t oldMask;
};

class SignalHandler : private io::FdHandler {
 public:
  class Callback {
   public:
    virtual void handleSignal(int sig) = 0;
    virtual ~Callback();
  };

  static SignalHandler* getInstance();

  // Registers (add) or removes every registration of (sig, cb). The first
  // registration needs a descriptor manager on the thread.
  void setCallback_(int sig, Callback* cb, bool add);
  // Blocks every signal that has a callback, recording the old mask.
  void blockHandledSignals_(SigProcMaskRestorer* restorer);

  static void handler(int sig);

 private:
  SignalHandler();
  ~SignalHandler() override;

  void fdReadable() override;
  void fdMgrGone() override;
  void dispatch(int sig);

  using Entry = std::pair<int, Callback*>;
  std::vector<Entry> registrations_;
  std::vector<Entry> dispatching_;
  io::FdManager* fdMgr_ = nullptr;
};

// The name of the signal constant, or null for a number without one.
const char* strSignal(int sig);

}  // namespace os
