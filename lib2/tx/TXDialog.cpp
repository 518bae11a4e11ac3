#include "lib2/tx/TXDialog.h"

#include <X11/Xutil.h>

#include <cerrno>
#include <memory>

#include "lib1/plat/Exception.h"
#include "lib1/plat/FdSet.h"
#include "lib1/plat/Time.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"

namespace tx {

namespace {

// The modal loop's timer manager, current while it lives. Destroying it
// stops every timer on it, render timers and other timers of other windows
// among them; those windows start them again under the manager that is
// current again.
class LoopTimers {
 public:
  LoopTimers() : manager_(std::make_unique<plat::TimerManager>(true)) {}
  ~LoopTimers() {
    manager_.reset();
    if (!plat::TimerManager::threadInstanceOrNull()) return;
    for (auto& entry : windows)
      if (auto* host = dynamic_cast<TXWParent*>(entry.second)) host->resumeTimers();
  }
  LoopTimers(const LoopTimers&) = delete;
  LoopTimers& operator=(const LoopTimers&) = delete;

  plat::TimerManager* manager() { return manager_.get(); }

 private:
  std::unique_ptr<plat::TimerManager> manager_;
};

}  // namespace

TXDialog::TXDialog(TXWindow* owner, const char* name, bool centre)
    : TXWParent(nullptr, nullptr, false), centre_(centre), owner_(owner) {
  if (owner) XSetTransientForHint(dpy, win(), owner->win());
  setChild(&canvas_);
  toplevel(name, this, nullptr);
}

TXDialog::~TXDialog() {
  // Hidden first, so that the canvas is stopped while it is still hosted.
  if (isMapped()) TXWParent::show(false);
  setChild(nullptr);
}

void TXDialog::show() {
  done_ = false;
  result_ = false;
  initDialog();
  TXWParent::show(true);
}

bool TXDialog::dismiss(bool r) {
  result_ = r;
  done_ = true;
  TXWParent::show(false);
  return true;
}

void TXDialog::setSize(const plat::Point& newSize) {
  if (newSize == size()) return;
  resize(newSize);
  if (centre_) centerOnScreen();
}

void TXDialog::deleteWindow(TXWindow*) { dismiss(false); }

void TXDialog::destroyNotify() { dismiss(false); }

bool TXDialog::showCodeModal() {
  if (isDestroyed()) {
    dismiss(false);
    return false;
  }
  done_ = false;
  result_ = false;
  LoopTimers timers;
  initDialog();
  TXWParent::show(true);
  setModalWindow(this);
  for (;;) {
    handleXEvents();
    if (done_) return result_;
    int t = timers.manager()->checkTimeouts();
    // A millisecond more than reported, so that the wait ends with the
    // timer surely due rather than a pass too early.
    if (t > 0) t++;
    waitForX(t);
  }
}

void TXDialog::waitForX(int t) {
  int fd = ConnectionNumber(dpy);
  plat::FdSet read, write;
  long long started = plat::getMonotonicTime(-1, nullptr);
  int remaining = t;
  for (;;) {
    read.clear();
    write.clear();
    if (!read.add(fd)) throw plat::SystemException("select", EMFILE);
    timeval limit{remaining / 1000, (remaining % 1000) * 1000};
    if (plat::FdSet::select(fd + 1, &read, &write, nullptr, remaining >= 0 ? &limit : nullptr) >= 0)
      return;
    if (errno != EINTR) throw plat::SystemException("select", errno);
    if (t < 0) continue;
    // What is left is counted from the start of the whole wait, so that
    // frequent signals cannot stretch it.
    long long elapsed = (plat::getMonotonicTime(-1, nullptr) - started) / plat::kUnitsPerMs;
    remaining = t - int(elapsed < 0 ? 0 : elapsed > t ? t : elapsed);
  }
}

}  // namespace tx
