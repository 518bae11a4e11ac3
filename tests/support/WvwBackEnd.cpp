#include "tests/support/WvwBackEnd.h"

#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuBinding.h"

namespace gwtest {

WvwBackEnd::WvwBackEnd() {
  mui::Mui::set(&mui_);
  mui::bindWvwBackEnd();
}

WvwBackEnd::~WvwBackEnd() { mui::clearFactories(); }

}  // namespace gwtest
