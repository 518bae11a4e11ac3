// A leaf element of the widget-set back-end for these tests. Its widget is a
// block of a given minimum size, and it writes down when the block stops
// and whether the element was still whole then: a widget that stops while
// its element is already being destroyed calls into a half-gone object.
#pragma once

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
    auto* e = new ProbeElement(parent, id, log, minSize);
    parent->childAdded(e);
    return e;
  }
  ~ProbeElement() override { dying_ = true; }

  gwtest::Block& block() { return block_; }

 private:
  ProbeElement(mui::MuContainer* parent, const char* id, std::vector<std::string>* log,
               plat::Point minSize)
      : mui::MuElement(parent, id, nullptr), log_(log) {
    block_.minSize = minSize;
    block_.setInputHandler(this);
    setImpl(std::make_unique<mui::MuCommonWvw>(&block_));
  }
  bool handleStop(wvw::Widget*) override {
    log_->push_back(std::string(getId()) + (dying_ ? " stopped dying" : " stopped"));
    return false;
  }

  std::vector<std::string>* log_;
  bool dying_ = false;  // declared before the block, so it outlasts it
  wvw::WChild<gwtest::Block> block_;
};

}  // namespace gwtest
