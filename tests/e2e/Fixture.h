// The fixture of every end-to-end case: a desktop of its own and one run of
// the tool on it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/Desktop.h"
#include "tests/e2e/Session.h"

namespace e2e {

class E2e : public testing::Test {
 protected:
  // Starts the tool with the layout dumps and waits until its main window
  // shows on the screen.
  bool startShown(const std::vector<std::string>& args = {}) {
    tool.start(args);
    return tool.waitDump(
        ids::kMain, [](const Dump&) { return true; }, "the main window");
  }
  // Closes the main window through the window manager and expects the tool
  // to end with status 0, having written nothing to standard output.
  void closeAndExpectStatusZero() {
    desktop.closeThroughWindowManager(tool.mainWindow());
    EXPECT_EQ(tool.waitExit(), 0) << tool.tool().err();
    EXPECT_EQ(tool.tool().out(), "");
  }

  Desktop desktop;
  Session tool{desktop};
};

}  // namespace e2e
