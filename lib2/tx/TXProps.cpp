#include "lib2/tx/TXProps.h"

#include <X11/Xatom.h>

#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXWindow.h"

namespace tx {

void setProp(Window w, Atom property, Atom type, int format, const void* data, int nelements) {
  XChangeProperty(dpy, w, property, type, format, PropModeReplace,
                  static_cast<const unsigned char*>(data), nelements);
}

GetProp::GetProp(Window w, Atom property, Atom type, bool del) {
  int status = XGetWindowProperty(dpy, w, property, 0, 65536, del ? True : False,
                                  type ? type : AnyPropertyType, &actualType, &actualFormat,
                                  &nitems, &bytesAfter, &data);
  ok = status == Success && (type == 0 || actualType == type);
}

bool getU32Prop(Window w, Atom property, Atom type, unsigned int* out) {
  GetProp prop(w, property, type, false);
  bool found = prop.ok && prop.actualFormat == 32 && prop.nitems >= 1 && prop.data;
  if (found) *out = static_cast<unsigned int>(reinterpret_cast<long*>(prop.data)[0]);
  if (prop.data) XFree(prop.data);
  return found;
}

void sendClientMsg(Window dest, long mask, Window w, Atom type, unsigned l0, unsigned l1,
                   unsigned l2, unsigned l3, unsigned l4) {
  XEvent ev{};
  ev.xclient.type = ClientMessage;
  ev.xclient.serial = 0;
  ev.xclient.send_event = True;
  ev.xclient.display = dpy;
  ev.xclient.window = w;
  ev.xclient.message_type = type;
  ev.xclient.format = 32;
  ev.xclient.data.l[0] = l0;
  ev.xclient.data.l[1] = l1;
  ev.xclient.data.l[2] = l2;
  ev.xclient.data.l[3] = l3;
  ev.xclient.data.l[4] = l4;
  XSendEvent(dpy, dest, False, mask, &ev);
}

void sendWmClientMsg(Window w, Atom type, unsigned l0, unsigned l1, unsigned l2, unsigned l3,
                     unsigned l4) {
  sendClientMsg(DefaultRootWindow(dpy), SubstructureRedirectMask | SubstructureNotifyMask, w, type,
                l0, l1, l2, l3, l4);
}

Time getCurrentTime() {
  // Never destroyed: it serves every later call.
  static TXWindow* timeWindow = nullptr;
  static const long nothing = 0;
  // The window selects PropertyNotify, so only its destruction by another
  // client leaves the change unanswered; a new window is then asked.
  for (int attempt = 0; attempt < 2; attempt++) {
    if (!timeWindow) timeWindow = new TXWindow(1, 1, nullptr, 0, true);
    XChangeProperty(dpy, timeWindow->win(), xaTIMESTAMP(), XA_CARDINAL, 32, PropModeAppend,
                    reinterpret_cast<const unsigned char*>(&nothing), 0);
    XSync(dpy, False);
    XEvent ev;
    if (XCheckTypedWindowEvent(dpy, timeWindow->win(), PropertyNotify, &ev))
      return ev.xproperty.time;
    // Its destruction names the dead id once more, an error expected here.
    ErrorCatcher gone(true);
    delete timeWindow;
    timeWindow = nullptr;
  }
  // Destroyed as fast as it is made: the server's "now" will do.
  return CurrentTime;
}

}  // namespace tx
