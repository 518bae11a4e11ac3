#include "tests/support/WvwBackEnd.h"

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuCheckWvw.h"
#include "lib2/mui/wvw/MuChoiceWvw.h"
#include "lib2/mui/wvw/MuFrameWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"

namespace gwtest {

WvwBackEnd::WvwBackEnd() {
  mui::Mui::set(&mui_);
  mui::muFrameFactory = mui::muFrameWvw;
  mui::muLayoutFactory = mui::muLayoutWvw;
  mui::muCheckFactory = mui::muCheckWvw;
  mui::muChoiceFactory = mui::muChoiceWvw;
}

WvwBackEnd::~WvwBackEnd() {
  mui::muFrameFactory = nullptr;
  mui::muLayoutFactory = nullptr;
  mui::muCheckFactory = nullptr;
  mui::muChoiceFactory = nullptr;
}

}  // namespace gwtest
