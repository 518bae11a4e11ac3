#include "lib2/tx/TXErrorCatcher.h"

#include "lib1/plat/Assert.h"
#include "lib1/plat/Log.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"

namespace tx {

PLAT_LOG_WRITER(vlog, "TXUtil");

ErrorCatcher* ErrorCatcher::currentCatcher = nullptr;

namespace {
int uncaughtError(Display* display, XErrorEvent* error) {
  char text[256];
  XGetErrorText(display, error->error_code, text, sizeof(text));
  // A window of ours is destroyed only after it left the registry: one still
  // there that names nothing was destroyed by another client, after this
  // request was sent. Its DestroyNotify is on the way, and nothing is wrong.
  bool lostWindow = (error->error_code == BadWindow || error->error_code == BadDrawable) &&
                    windows.count(error->resourceid) != 0;
  vlog().write(lostWindow ? plat::LogWriter::LEVEL_INFO : plat::LogWriter::LEVEL_ERROR,
               "X error %d (request %d.%d, resource 0x%lx): %s", error->error_code,
               error->request_code, error->minor_code, error->resourceid, text);
  return 0;
}
}  // namespace

void ErrorCatcher::installDefaultHandler() { XSetErrorHandler(uncaughtError); }

ErrorCatcher::ErrorCatcher(bool sync) : ErrorCatcher(plat::LogWriter::LEVEL_INFO, sync) {}

ErrorCatcher::ErrorCatcher(int level, bool sync) : sync_(sync), level_(level) {
  PLAT_ASSERT(dpy);
  // Errors of earlier requests belong to whoever caught them before.
  XSync(dpy, False);
  previous_ = currentCatcher;
  currentCatcher = this;
  previousHandler_ = XSetErrorHandler(handler);
}

ErrorCatcher::~ErrorCatcher() {
  if (sync_) XSync(dpy, False);
  PLAT_ASSERT(currentCatcher == this);
  currentCatcher = previous_;
  XSetErrorHandler(previousHandler_);
}

int ErrorCatcher::handler(Display* display, XErrorEvent* error) {
  ErrorCatcher* c = currentCatcher;
  if (!c) return uncaughtError(display, error);
  c->errorCode_ = error->error_code;
  XGetErrorText(display, error->error_code, c->errorText_, sizeof(c->errorText_));
  vlog().write(c->level_, "Caught X error %d: %s", c->errorCode_, c->errorText_);
  return 0;
}

}  // namespace tx
