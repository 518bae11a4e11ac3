#include "lib2/mui/wvw/MuBinding.h"

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuAutoHiderTx.h"
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

namespace mui {

void bindWvwBackEnd() {
  muDialogFactory = muDialogTx;
  muFrameFactory = muFrameWvw;
  muLayoutFactory = muLayoutWvw;
  muButtonFactory = muButtonWvw;
  muStaticFactory = muStaticWvw;
  muImageFactory = muImageWvw;
  muEditFactory = muEditWvw;
  muCheckFactory = muCheckWvw;
  muChoiceFactory = muChoiceWvw;
  muListFactory = muListWvw;
  muPagerFactory = muPagerWvw;
  muScrollFactory = muScrollWvw;
  muSliderFactory = muSliderWvw;
  muSuperboxFactory = muSuperboxTx;
  muAutoHiderFactory = muAutoHiderTx;
}

}  // namespace mui
