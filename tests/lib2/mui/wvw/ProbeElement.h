// A leaf element of the widget-set back-end for these tests, its widget a
// block. It notes when the block stops and whether the element was whole
// then (a widget stopping in a half-destroyed element calls into it), and
// runs onStart when the block starts.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "lib2/mui/MuContainer.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/wvw/WChild.h"
#include "tests/support/Block.h"

namespace gwtest {

class ProbeElement : public mui::MuElement, private wvw::WInputHandler {
 public:
  // Made and handed to parent, which owns it from then on.
  static ProbeElement* add(mui::MuContainer* parent, const char* id, std::vector<std::string>* log,
                           plat::Point minSize = plat::Point(10, 10)) {
    auto* e = new ProbeElement(parent, id, log);
    e->block_.minSize = minSize;
    parent->childAdded(e);
    return e;
  }
  ~ProbeElement() override { dying_ = true; }

  std::function<void()> onStart;
  gwtest::Block& block() { return block_; }

 private:
  ProbeElement(mui::MuContainer* parent, const char* id, std::vector<std::string>* log)
      : mui::MuElement(parent, id, nullptr), log_(log) {
    block_.setInputHandler(this);
    setImpl(std::make_unique<mui::MuCommonWvw>(&block_));
  }
  bool handleStart(wvw::Widget*) override { return onStart && (onStart(), false); }
  bool handleStop(wvw::Widget*) override {
    log_->push_back(std::string(getId()) + (dying_ ? " stopped dying" : " stopped"));
    return false;
  }

  std::vector<std::string>* log_;
  bool dying_ = false;  // declared before the block, so it outlasts it
  wvw::WChild<gwtest::Block> block_;
};

}  // namespace gwtest
