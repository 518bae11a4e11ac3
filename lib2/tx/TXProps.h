// Window properties, client messages and the server time. Property data of
// format 32 are arrays of long, whatever the size of a long, as Xlib has it.
#pragma once

#include <X11/Xlib.h>

namespace tx {

// XChangeProperty in replace mode.
void setProp(Window w, Atom property, Atom type, int format, const void* data, int nelements);

// One read of a property, from offset 0 and up to 65536 longs; the property
// is deleted when del is set. ok: the read worked and the actual type is
// `type` (or `type` is 0, any type). The caller releases data with XFree.
struct GetProp {
  GetProp(Window w, Atom property, Atom type, bool del);

  unsigned char* data = nullptr;
  Atom actualType = 0;
  int actualFormat = 0;
  unsigned long nitems = 0;
  unsigned long bytesAfter = 0;
  bool ok = false;
};

// The first item of a format-32 property of the given type; false when there
// is none.
bool getU32Prop(Window w, Atom property, Atom type, unsigned int* out);

// A format-32 ClientMessage about window w, sent to dest with the mask.
void sendClientMsg(Window dest, long mask, Window w, Atom type, unsigned l0, unsigned l1,
                   unsigned l2, unsigned l3, unsigned l4);
// The same to the window manager, through the default screen's root.
void sendWmClientMsg(Window w, Atom type, unsigned l0, unsigned l1, unsigned l2, unsigned l3,
                     unsigned l4);

// The server's current time, from the PropertyNotify of a hidden window.
Time getCurrentTime();

}  // namespace tx
