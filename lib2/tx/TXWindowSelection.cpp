// TXWindow: owning and answering selections, requesting the clipboard and
// writing the cut buffer.
#include <X11/Xatom.h>

#include <algorithm>
#include <memory>

#include "lib1/plat/Log.h"
#include "lib1/plat/Time.h"
#include "lib1/plat/Utf8.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXIncrSender.h"
#include "lib2/tx/TXProps.h"
#include "lib2/tx/TXWindow.h"

PLAT_LOG_WRITER(vlog, "TXWindow");

namespace {

constexpr int kClipboardTimeoutMs = 1000;
// However an owner paces its pieces, a paste gives up this long after it
// asked: input and repaint wait while it runs.
constexpr int kWholeAnswerMs = 5000;

long long deadlineIn(int ms) {
  return plat::getMonotonicTime(-1, nullptr) + ms * plat::kUnitsPerMs;
}

// What is left of the time to deadline, at most ms; 0 once it passed.
int msLeft(long long deadline, int ms) {
  long long left = deadline - plat::getMonotonicTime(-1, nullptr);
  if (left <= 0) return 0;
  return int(std::min<long long>(ms, (left + plat::kUnitsPerMs - 1) / plat::kUnitsPerMs));
}

// Reads all of a format-8 property, piece by piece, and deletes it. False
// when it is missing or not of format 8 (type still tells what it was).
// The last read deletes it in the same request: an incremental sender that
// writes its next piece early must not have it deleted unread.
bool readWholeProperty(Window w, Atom property, Atom* type, std::string* out) {
  out->clear();
  *type = None;
  long offset = 0;  // in 32-bit units
  unsigned long after = 0;
  while (true) {
    Atom actual = None;
    int format = 0;
    unsigned long n = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(tx::dpy, w, property, offset, 65536, True, AnyPropertyType, &actual,
                           &format, &n, &after, &data) != Success)
      return false;
    std::unique_ptr<unsigned char, int (*)(void*)> owned(data, XFree);
    *type = actual;
    if (actual == None || format != 8) break;
    out->append(reinterpret_cast<char*>(data), n);
    if (after == 0) break;
    offset += long(n / 4);
  }
  if (after != 0) XDeleteProperty(tx::dpy, w, property);
  XFlush(tx::dpy);  // an incremental sender waits for the deletion
  return *type != None && *type != tx::xaINCR();
}

std::string toUtf8(Atom type, const std::string& bytes) {
  if (type != XA_STRING) return bytes;
  std::unique_ptr<char[]> utf8(plat::latin1ToUtf8(bytes.data(), bytes.data() + bytes.size()));
  return utf8.get();
}

}  // namespace

void TXWindow::setClipboard(const char* utf8) {
  offered_ = utf8 ? utf8 : "";
  ownSelection(tx::xaCLIPBOARD(), tx::getCurrentTime());
}

void TXWindow::ownSelection(Atom selection, Time time) {
  XSetSelectionOwner(dpy, selection, win_, time);
  if (XGetSelectionOwner(dpy, selection) == win_) ownedSelections_[selection] = time;
}

bool TXWindow::selectionRequest(Window requestor, Atom, Atom property, Atom target) {
  if (!offered_) return false;
  return setSelectionPropertyUtf8(requestor, property, target,
                                  plat::CBuf<char>{int(offered_->size()), offered_->data()});
}

bool TXWindow::setSelectionPropertyUtf8(Window requestor, Atom property, Atom target,
                                        plat::CBuf<char> utf8) {
  std::string bytes(utf8.data ? utf8.data : "", utf8.length);
  if (target == XA_STRING) {
    std::unique_ptr<char[]> latin1(plat::utf8ToLatin1(bytes.data(), bytes.data() + bytes.size()));
    bytes = latin1.get();
  } else if (target != tx::xaUTF8_STRING()) {
    return false;
  }
  // More than a requestor may read at once goes in pieces.
  if (bytes.size() > tx::TXIncrSender::pieceSize())
    return tx::TXIncrSender::inst().start(requestor, property, target, std::move(bytes));
  tx::setProp(requestor, property, target, 8, bytes.data(), int(bytes.size()));
  return true;
}

void TXWindow::answerSelectionRequest(const XSelectionRequestEvent& request) {
  XEvent answer{};
  answer.xselection.type = SelectionNotify;
  answer.xselection.requestor = request.requestor;
  answer.xselection.selection = request.selection;
  answer.xselection.target = request.target;
  answer.xselection.time = request.time;
  Atom property = request.property == None ? request.target : request.property;
  bool answered = false;
  // The requestor's window may be gone already: its errors must not end us.
  tx::ErrorCatcher catcher(true);
  auto owned = ownedSelections_.find(request.selection);
  if (owned != ownedSelections_.end()) {
    if (request.target == tx::xaTARGETS()) {
      long targets[3] = {long(tx::xaTIMESTAMP()), long(tx::xaUTF8_STRING()), long(XA_STRING)};
      tx::setProp(request.requestor, property, XA_ATOM, 32, targets, 3);
      answered = true;
    } else if (request.target == tx::xaTIMESTAMP()) {
      long time = long(owned->second);
      tx::setProp(request.requestor, property, XA_INTEGER, 32, &time, 1);
      answered = true;
    } else if (request.target == tx::xaUTF8_STRING() || request.target == XA_STRING) {
      answered = selectionRequest(request.requestor, request.selection, property, request.target);
    }
  }
  answer.xselection.property = answered ? property : None;
  XSendEvent(dpy, request.requestor, False, 0, &answer);
}

const char* TXWindow::getClipboard() {
  // Another window of this process cannot answer while we wait: ask it here.
  Window owner = XGetSelectionOwner(dpy, tx::xaCLIPBOARD());
  auto local = tx::windows.find(owner);
  if (owner != None && local != tx::windows.end() &&
      local->second->ownsSelection(tx::xaCLIPBOARD()))
    return local->second->offered_ ? local->second->offered_->c_str() : nullptr;
  // One deadline for both targets: a text given up on in pieces is not
  // asked for again.
  long long deadline = deadlineIn(kWholeAnswerMs);
  requestSelection(tx::xaCLIPBOARD(), tx::xaUTF8_STRING(), kClipboardTimeoutMs, deadline);
  if (received_) return received_->c_str();
  requestSelection(tx::xaCLIPBOARD(), XA_STRING, kClipboardTimeoutMs, deadline);
  return receivedText();
}

bool TXWindow::getSelection(Atom selection, Atom target, int timeoutMs) {
  return requestSelection(selection, target, timeoutMs, deadlineIn(kWholeAnswerMs));
}

bool TXWindow::requestSelection(Atom selection, Atom target, int timeoutMs, long long deadline) {
  received_.reset();
  int wait = msLeft(deadline, timeoutMs);
  if (wait == 0) return false;
  XConvertSelection(dpy, selection, target, tx::xaSELECTION_STRING(), win_, CurrentTime);
  XEvent ev;
  if (waitForTypedEvent(SelectionNotify, wait, &ev)) {
    getSelProp(&ev, deadline);
    return true;
  }
  vlog().debug("timed out waiting for %s %s for 0x%lx", tx::getAtomName(selection),
               tx::getAtomName(target), win_);
  return false;
}

void TXWindow::getSelProp(XEvent* ev) { getSelProp(ev, deadlineIn(kWholeAnswerMs)); }

void TXWindow::getSelProp(XEvent* ev, long long deadline) {
  Atom property = ev->xselection.property;
  Atom type = None;
  std::string text;
  bool ok = ev->type == SelectionNotify && property != None &&
            readWholeProperty(win_, property, &type, &text);
  if (!ok && type == tx::xaINCR()) ok = receiveIncrementally(property, deadline, &type, &text);
  if (!ok) {
    selectionNotify(&ev->xselection, None, 0, 0, nullptr);
    return;
  }
  selectionNotify(&ev->xselection, type, 8, int(text.size()), text.data());
}

bool TXWindow::receiveIncrementally(Atom property, long long deadline, Atom* type,
                                    std::string* text) {
  text->clear();
  while (true) {
    // Each piece is announced by a new value of the property.
    XEvent ev;
    bool more = false;
    while (!more) {
      int wait = msLeft(deadline, kClipboardTimeoutMs);
      if (wait == 0) {
        vlog().error("selection sent in pieces not whole after %d ms (%zu bytes): nothing pasted",
                     kWholeAnswerMs, text->size());
        return false;
      }
      if (!waitForTypedEvent(PropertyNotify, wait, &ev)) {
        if (msLeft(deadline, 1) == 0) continue;  // the deadline, not the owner, ended the wait
        vlog().info("incremental selection stopped after %zu bytes: nothing pasted", text->size());
        return false;
      }
      more = ev.xproperty.atom == property && ev.xproperty.state == PropertyNewValue;
    }
    std::string piece;
    if (!readWholeProperty(win_, property, type, &piece)) {
      // The announcement's own notice, or one for a piece already read.
      if (*type == None) continue;
      return false;
    }
    if (piece.empty()) return true;
    text->append(piece);
  }
}

void TXWindow::selectionNotify(XSelectionEvent*, Atom type, int, int nitems, void* data) {
  const char* bytes = static_cast<const char*>(data);
  if (type == XA_STRING || type == tx::xaUTF8_STRING())
    received_ = toUtf8(type, std::string(bytes ? bytes : "", bytes ? nitems : 0));
  else
    received_.reset();
}

void TXWindow::setCutBufferUtf8(plat::CBuf<char> utf8) {
  std::unique_ptr<char[]> latin1(plat::utf8ToLatin1(utf8.data, utf8.data + utf8.length));
  XStoreBytes(dpy, latin1.get(), int(strlen(latin1.get())));
}
