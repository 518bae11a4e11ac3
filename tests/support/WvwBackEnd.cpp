#include "tests/support/WvwBackEnd.h"

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuFrameWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "lib2/mui/wvw/MuPagerWvw.h"
#include "lib2/mui/wvw/MuScrollWvw.h"
#include "lib2/mui/wvw/MuSliderWvw.h"

namespace gwtest {

WvwBackEnd::WvwBackEnd() {
  mui::Mui::set(&mui_);
  mui::muFrameFactory = mui::muFrameWvw;
  mui::muLayoutFactory = mui::muLayoutWvw;
  mui::muPagerFactory = mui::muPagerWvw;
  mui::muScrollFactory = mui::muScrollWvw;
  mui::muSliderFactory = mui::muSliderWvw;
}

WvwBackEnd::~WvwBackEnd() {
  mui::muFrameFactory = nullptr;
  mui::muLayoutFactory = nullptr;
  mui::muPagerFactory = nullptr;
  mui::muScrollFactory = nullptr;
  mui::muSliderFactory = nullptr;
}

}  // namespace gwtest
