// The dialog model's widget-set back-end, installed for a test: a MuiWvw
// as the singleton and this back-end's factories in their slots, all of
// which are emptied again when it goes. The singleton loads the embedded
// fonts, so the test links the resources; a dialog needs the display open.
#pragma once

#include "lib2/mui/wvw/MuiWvw.h"

namespace gwtest {

class WvwBackEnd {
 public:
  WvwBackEnd();
  ~WvwBackEnd();
  WvwBackEnd(const WvwBackEnd&) = delete;
  WvwBackEnd& operator=(const WvwBackEnd&) = delete;

  mui::MuiWvw& mui() { return mui_; }

 private:
  mui::MuiWvw mui_;
};

}  // namespace gwtest
