// The fixture of the dialog tests whose windows the window manager must
// manage: the private Xvfb open and openbox running for the whole suite,
// English texts, and the application's names set afresh for each test.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib2/tx/TXUtil.h"
#include "tests/support/WindowManager.h"
#include "tests/support/XServer.h"

namespace gwtest {

class ManagedDialogTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(XServer::shared().name().c_str());
    wm_ = std::make_unique<WindowManager>(XServer::shared().name());
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en", 50);
  }
  static void TearDownTestSuite() { wm_.reset(); }
  void SetUp() override { os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), "Grantwell"); }

 private:
  static inline std::unique_ptr<WindowManager> wm_;
};

}  // namespace gwtest
