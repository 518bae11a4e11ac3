// A configuration dialog as an application would build one, for tests: it
// edits a working copy of a stored configuration, saveConfig writes back
// into the stored one only the values that differ, and finish drops the
// copy, so that the next show starts again from what is stored. It counts
// its hooks; onFinish runs last in finish (it may delete the dialog).
#pragma once

#include <functional>
#include <memory>

#include "lib2/mui/MuConfigDialog.h"

namespace gwtest {

class TestConfigDialog : public mui::MuConfigDialog {
 public:
  explicit TestConfigDialog(plat::Configuration* stored, bool noList = false, int flags = 0,
                            plat::Point size = plat::Point(300, 200))
      : MuConfigDialog("config", "Options", size, nullptr, nullptr, noList, flags),
        stored_(stored) {}

  // Attaches the working copy now, as sections that bind parameters need.
  void attach() { loadConfig(); }

  int loads = 0;
  int saves = 0;
  int finishes = 0;
  std::function<void()> onFinish;

 protected:
  void loadConfig() override {
    loads++;
    working_ = std::make_unique<plat::Configuration>(*stored_);
    setConfig(working_.get());
  }
  void saveConfig() override {
    saves++;
    stored_->mergeDiffs(working_.get(), stored_);
  }
  void finish() override {
    finishes++;
    setConfig(nullptr);
    working_.reset();
    // A copy runs: the dialog, and this member with it, may go meanwhile.
    if (std::function<void()> then = onFinish) then();
  }

 private:
  plat::Configuration* stored_;
  std::unique_ptr<plat::Configuration> working_;
};

}  // namespace gwtest
