#include "tests/support/WvwBackEnd.h"

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuDialogTx.h"
#include "lib2/mui/wvw/MuFrameWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"

namespace gwtest {

WvwBackEnd::WvwBackEnd() {
  mui::Mui::set(&mui_);
  mui::muDialogFactory = mui::muDialogTx;
  mui::muFrameFactory = mui::muFrameWvw;
  mui::muLayoutFactory = mui::muLayoutWvw;
}

WvwBackEnd::~WvwBackEnd() {
  mui::muDialogFactory = nullptr;
  mui::muFrameFactory = nullptr;
  mui::muLayoutFactory = nullptr;
}

}  // namespace gwtest
