#include "lib2/mui/MuObserver.h"

#include "lib2/mui/MuDialog.h"

namespace mui {

void MuObserver::elementEvent(MuElement* source, int code) {
  switch (code) {
    case MuEventClicked:
      elementClicked(source);
      break;
    case MuEventChanged:
      elementChanged(source);
      break;
    case MuEventClosed:
      dialogClosed(MuDialog::getDialog(source));
      break;
    default:
      break;
  }
}

}  // namespace mui
