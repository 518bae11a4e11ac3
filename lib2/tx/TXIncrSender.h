// Sends selection answers too large for one ordinary request in pieces, as
// the ICCCM's INCR protocol has it: the requestor's property first gets type
// INCR with the size, and each time the requestor deletes the property the
// next piece is written, the last one empty.
//
// Nothing waits: the pieces go out from the event pump, which hands this
// sender every event while a transfer is under way. A requestor whose window
// goes, whose property cannot be written, or that reads nothing for
// kStallMs is given up, and its text freed.
#pragma once

#include <X11/Xlib.h>

#include <list>
#include <string>

#include "lib2/tx/TXEventHandler.h"

namespace tx {

class TXIncrSender : private TXEventHandler {
 public:
  static constexpr int kStallMs = 5000;

  static TXIncrSender& inst();
  // Bytes per piece; a text longer than this is sent in pieces.
  static size_t pieceSize();

  // Announces bytes (of the given type) in requestor's property and sends
  // them as the requestor reads. False, leaving nothing behind, when the
  // requestor cannot be reached.
  bool start(Window requestor, Atom property, Atom type, std::string bytes);
  size_t transfers() const { return transfers_.size(); }

 private:
  struct Transfer {
    Window requestor;
    Atom property;
    Atom type;
    std::string bytes;
    size_t sent = 0;
    long long deadline = 0;
  };
  using Iter = std::list<Transfer>::iterator;

  TXIncrSender() = default;
  void handleEvent(TXWindow* w, XEvent* ev) override;
  // Writes the next piece; false when the requestor could not take it.
  bool sendPiece(Transfer* t);
  void end(Iter it, bool watched);
  void expire();

  std::list<Transfer> transfers_;
};

}  // namespace tx
