#include "lib2/tx/TXIncrSender.h"

#include <algorithm>

#include "lib1/plat/Log.h"
#include "lib1/plat/Time.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXProps.h"

PLAT_LOG_WRITER(vlog, "TXIncrSender");

namespace tx {

namespace {

long long stallDeadline() {
  return plat::getMonotonicTime(-1, nullptr) + TXIncrSender::kStallMs * plat::kUnitsPerMs;
}

// Our own windows keep their event masks; a foreign one gets ours while we
// send to it.
bool isOurs(Window w) { return windows.count(w) != 0; }

}  // namespace

TXIncrSender& TXIncrSender::inst() {
  static TXIncrSender sender;
  return sender;
}

size_t TXIncrSender::pieceSize() {
  // An ordinary request, less room for the request's own header: many
  // requestors read a property in reads of that size.
  return size_t(XMaxRequestSize(dpy) - 64) * 4;
}

bool TXIncrSender::start(Window requestor, Atom property, Atom type, std::string bytes) {
  expire();
  // A new request in the same property replaces one still under way.
  for (Iter it = transfers_.begin(); it != transfers_.end(); ++it)
    if (it->requestor == requestor && it->property == property) {
      end(it, false);
      break;
    }
  ErrorCatcher catcher(true);
  // Selected before the announcement: its deletion must not be missed.
  if (!isOurs(requestor)) XSelectInput(dpy, requestor, PropertyChangeMask | StructureNotifyMask);
  long size = long(bytes.size());
  setProp(requestor, property, xaINCR(), 32, &size, 1);
  XSync(dpy, False);
  if (catcher.errorCode()) {
    vlog().info("requestor 0x%lx cannot take a selection in pieces", requestor);
    return false;
  }
  if (transfers_.empty()) registerAllEventHandler(this, true);
  transfers_.push_back(Transfer{requestor, property, type, std::move(bytes), 0, stallDeadline()});
  return true;
}

void TXIncrSender::handleEvent(TXWindow*, XEvent* ev) {
  if (ev->type == PropertyNotify && ev->xproperty.state == PropertyDelete) {
    for (Iter it = transfers_.begin(); it != transfers_.end(); ++it) {
      if (it->requestor != ev->xproperty.window || it->property != ev->xproperty.atom) continue;
      bool last = it->sent == it->bytes.size();
      if (!sendPiece(&*it))
        end(it, false);
      else if (last)
        end(it, true);
      break;
    }
  } else if (ev->type == DestroyNotify) {
    for (Iter it = transfers_.begin(); it != transfers_.end();) {
      Iter next = std::next(it);
      if (it->requestor == ev->xdestroywindow.window) {
        vlog().info("requestor 0x%lx went after %zu of %zu bytes", it->requestor, it->sent,
                    it->bytes.size());
        end(it, false);
      }
      it = next;
    }
  }
  expire();
}

bool TXIncrSender::sendPiece(Transfer* t) {
  size_t n = std::min(pieceSize(), t->bytes.size() - t->sent);
  ErrorCatcher catcher(true);
  setProp(t->requestor, t->property, t->type, 8, t->bytes.data() + t->sent, int(n));
  XSync(dpy, False);
  if (catcher.errorCode()) return false;
  t->sent += n;
  t->deadline = stallDeadline();
  return true;
}

void TXIncrSender::end(Iter it, bool watched) {
  Window requestor = it->requestor;
  transfers_.erase(it);
  bool stillSending =
      std::any_of(transfers_.begin(), transfers_.end(),
                  [requestor](const Transfer& t) { return t.requestor == requestor; });
  if (watched && !stillSending && !isOurs(requestor)) {
    ErrorCatcher catcher(true);
    XSelectInput(dpy, requestor, 0);
  }
  if (transfers_.empty()) registerAllEventHandler(this, false);
}

void TXIncrSender::expire() {
  long long now = plat::getMonotonicTime(-1, nullptr);
  for (Iter it = transfers_.begin(); it != transfers_.end();) {
    Iter next = std::next(it);
    if (it->deadline <= now) {
      vlog().info("requestor 0x%lx read nothing for %d ms: selection given up", it->requestor,
                  kStallMs);
      end(it, true);
    }
    it = next;
  }
}

}  // namespace tx
