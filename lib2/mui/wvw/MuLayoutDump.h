// mui::MuLayoutDump: what a shown dialog of this back-end looks like, written
// through the log writer "MuLayoutDump" at debug level
// (Log=*:stderr:10,MuLayoutDump:stderr:100), so that a program driven from
// outside can find its controls and read what they show without knowing
// pixel positions. Logging only: a dump changes nothing in the dialog.
//
// One dump is, line by line:
//   <dialog> begin window=0x<X window id> size=<w>x<h>
//   <dialog> <full id> <kind> rect=<x>,<y>,<w>,<h> shown=<0|1> enabled=<0|1>
//            locked=<0|1> focused=<0|1> [what the kind shows]
//   ... one such line per element below the dialog, depth first ...
//   <dialog> end
// <dialog> is the dialog's id, <kind> the element's getType() and the
// rectangle is in the window's pixels ("-" when it is empty, or the element
// has no widget of this back-end). shown and enabled count the ancestors too: an element
// in a hidden or disabled container is neither seen nor usable. A list adds
// rows=<n> selected=<row>, and a line per row follows it:
//   <dialog> <full id> row index=<i> rect=<x>,<y>,<w>,<h> text="<cells>"
// with the cells joined by "|" and rect=- for a row out of view. A check
// adds checked=<0|1>, a choice text="...", an edit length=<bytes> and, unless
// it is a password, text="...", and an element with a label label="...".
//
// Texts are quoted, with \\ \" \n \r \t and \xHH for other control
// characters, and cut at 512 bytes on a character boundary (length= gives an
// edit's whole length); only a list's first 100 rows are written. A log
// line holds 4096 bytes, and the dumps of a list filled row by row would
// otherwise grow with the square of its length.
#pragma once

#include <X11/Xlib.h>

#include <memory>

#include "lib2/tx/TXEventHandler.h"

namespace mui {

class MuDialog;

// One dialog's dumps, written while it is shown: after every X event during
// which the dialog was laid out, after every key and button release in any
// window of the program, and once its window is mapped. So a dump follows
// each change a person or the program makes, however many layouts it took.
class MuLayoutDump : private TXEventHandler {
 public:
  // Null unless the writer is at debug level: nothing else costs anything.
  static std::unique_ptr<MuLayoutDump> forDialog(MuDialog* dialog, TXWindow* window);
  ~MuLayoutDump() override;
  MuLayoutDump(const MuLayoutDump&) = delete;
  MuLayoutDump& operator=(const MuLayoutDump&) = delete;

  void laidOut() { due_ = true; }

 private:
  MuLayoutDump(MuDialog* dialog, TXWindow* window);
  void handleEvent(TXWindow* w, XEvent* ev) override;
  void write();

  MuDialog* dialog_;
  TXWindow* window_;
  bool due_ = false;
};

}  // namespace mui
