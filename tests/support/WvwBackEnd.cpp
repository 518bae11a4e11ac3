#include "tests/support/WvwBackEnd.h"

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuButtonWvw.h"
#include "lib2/mui/wvw/MuCheckWvw.h"
#include "lib2/mui/wvw/MuChoiceWvw.h"
#include "lib2/mui/wvw/MuDialogTx.h"
#include "lib2/mui/wvw/MuEditWvw.h"
#include "lib2/mui/wvw/MuFrameWvw.h"
#include "lib2/mui/wvw/MuImageWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "lib2/mui/wvw/MuListWvw.h"
#include "lib2/mui/wvw/MuPagerWvw.h"
#include "lib2/mui/wvw/MuScrollWvw.h"
#include "lib2/mui/wvw/MuSliderWvw.h"
#include "lib2/mui/wvw/MuStaticWvw.h"
#include "lib2/mui/wvw/MuSuperboxTx.h"
#include "tests/support/MuiSlots.h"

namespace gwtest {

WvwBackEnd::WvwBackEnd() {
  mui::Mui::set(&mui_);
  mui::muDialogFactory = mui::muDialogTx;
  mui::muFrameFactory = mui::muFrameWvw;
  mui::muLayoutFactory = mui::muLayoutWvw;
  mui::muButtonFactory = mui::muButtonWvw;
  mui::muStaticFactory = mui::muStaticWvw;
  mui::muImageFactory = mui::muImageWvw;
  mui::muEditFactory = mui::muEditWvw;
  mui::muCheckFactory = mui::muCheckWvw;
  mui::muChoiceFactory = mui::muChoiceWvw;
  mui::muListFactory = mui::muListWvw;
  mui::muPagerFactory = mui::muPagerWvw;
  mui::muScrollFactory = mui::muScrollWvw;
  mui::muSliderFactory = mui::muSliderWvw;
  mui::muSuperboxFactory = mui::muSuperboxTx;
}

WvwBackEnd::~WvwBackEnd() { emptyMuiSlots(); }

}  // namespace gwtest
