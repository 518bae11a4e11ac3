// mui::MuObserver: how application code hears what happens in a dialog.
// Events start at the element a person acted on and bubble up through its
// parents, so an observer of a dialog hears every event below it.
#pragma once

#include "lib2/mui/Forward.h"

namespace mui {

// The event codes of dispatchEvent and elementEvent.
enum MuEvent {
  MuEventChanged = 0,
  MuEventClicked = 1,
  MuEventDoubleClicked = 2,    // a list's double click
  MuEventClosed = 3,           // the dialog closed
  MuEventFocusOffered = 4,     // the window manager offered the dialog the focus
  MuEventWindowDestroyed = 5,  // another program destroyed the dialog's window
};

class MuObserver {
 public:
  virtual ~MuObserver() = default;

  // Turns codes 1, 0 and 3 into the three handlers below; other codes reach
  // only an override of this.
  virtual void elementEvent(MuElement* source, int code);
  virtual void elementClicked(MuElement*) {}
  virtual void elementChanged(MuElement*) {}
  // The dialog is null when the source's tree does not end in a dialog.
  virtual void dialogClosed(MuDialog*) {}
};

}  // namespace mui
