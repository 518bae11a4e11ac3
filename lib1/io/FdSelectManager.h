// The descriptor manager that waits in select(). One turn (doEvents) waits on
// every descriptor with an interest, limited by the next timer, then runs the
// due timers and the handlers of the ready descriptors.
#pragma once

#include "lib1/io/FdManager.h"
#include "lib1/plat/FdSet.h"

namespace io {

class FdSelectManager : public FdManager {
 public:
  explicit FdSelectManager(bool nested);
  ~FdSelectManager() override;

  // One wait and one dispatch. timeoutMs -1 waits without limit, 0 polls.
  // True when the wait was limited by a timer, descriptors were ready or a
  // signal interrupted it; false only when the caller's own limit ran out.
  // A failing select() throws plat::SystemException "select" and
  // dispatches nothing.
  bool doEvents(int timeoutMs);

  // The two halves of doEvents around select(). preSelect fills the sets
  // from the interests, lowers *timeoutMs to the next timer, and returns
  // whether a timer limits the wait.
  bool preSelect(int* maxFd, plat::FdSet* read, plat::FdSet* write, plat::FdSet* except,
                 int* timeoutMs);
  void postSelect(bool anyReady, plat::FdSet* read, plat::FdSet* write, plat::FdSet* except);

 protected:
  bool selectHandler_(FdHandler* handler, bool read, bool write, bool except, bool read2,
                      bool addrChange) override;

 private:
  HandlerSet readInterest_, writeInterest_, exceptInterest_;
};

}  // namespace io
