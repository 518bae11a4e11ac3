// An input handler that writes down every event it hears, one line each, with
// the widget it concerns named as the test named it ("?" when unnamed):
// "press b 0", "move b 3,4", "key b ff09 down", "focus b on|off", "click b"...
// It consumes what the test tells it to, by kind ("press", "key", ...).
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "lib2/wvw/WInputHandler.h"

namespace gwtest {

class EventLog : public wvw::WInputHandler {
 public:
  void name(const wvw::Widget* w, const std::string& n) { names_[w] = n; }
  // The lines since the last call, joined by ", "; clears them.
  std::string take();

  std::vector<std::string> lines;
  std::set<std::string> consume;

  bool handlePtrMove(const plat::Point& pos, wvw::Widget* w) override;
  bool handlePtrPress(unsigned char button, wvw::Widget* w) override;
  bool handlePtrRelease(unsigned char button, wvw::Widget* w) override;
  bool handlePtrLeave(wvw::Widget* w) override;
  bool handleKeyEvent(unsigned int keysym, bool down, wvw::Widget* w) override;
  bool handleFocus(bool reverse, wvw::Widget* w) override;
  bool handleClick(wvw::Widget* w) override { return note("click", w); }
  bool handleChanged(wvw::Widget* w) override { return note("changed", w); }
  bool handleVisible(wvw::Widget* w) override { return note("visible", w); }
  bool handleStart(wvw::Widget* w) override { return note("start", w); }
  bool handleStop(wvw::Widget* w) override { return note("stop", w); }
  bool handleEnable(wvw::Widget* w) override { return note("enable", w); }
  bool handleResize(wvw::Widget* w) override { return note("resize", w); }
  bool handlePasteText(wvw::Widget* w) override { return note("paste", w); }
  bool handleCopyText(wvw::Widget* w) override { return note("copy", w); }

 private:
  bool note(const std::string& kind, const wvw::Widget* w, const std::string& detail = "");
  std::map<const wvw::Widget*, std::string> names_;
};

}  // namespace gwtest
