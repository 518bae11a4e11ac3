#include "tests/support/EventLog.h"

#include <cstdio>

#include "lib2/wvw/Widget.h"

namespace gwtest {

std::string EventLog::take() {
  std::string all;
  for (const std::string& l : lines) all += (all.empty() ? "" : ", ") + l;
  lines.clear();
  return all;
}

bool EventLog::note(const std::string& kind, const wvw::Widget* w, const std::string& detail) {
  auto i = names_.find(w);
  std::string line = kind + " " + (i == names_.end() ? "?" : i->second);
  if (!detail.empty()) line += " " + detail;
  lines.push_back(line);
  return consume.count(kind) != 0;
}

bool EventLog::handlePtrMove(const plat::Point& pos, wvw::Widget* w) {
  return note("move", w, std::to_string(pos.x) + "," + std::to_string(pos.y));
}
bool EventLog::handlePtrPress(unsigned char button, wvw::Widget* w) {
  return note("press", w, std::to_string(button));
}
bool EventLog::handlePtrRelease(unsigned char button, wvw::Widget* w) {
  return note("release", w, std::to_string(button));
}
bool EventLog::handlePtrLeave(wvw::Widget* w) { return note("leave", w); }
bool EventLog::handleKeyEvent(unsigned int keysym, bool down, wvw::Widget* w) {
  char buf[32];
  snprintf(buf, sizeof buf, "%x %s", keysym, down ? "down" : "up");
  return note("key", w, buf);
}
bool EventLog::handleFocus(bool reverse, wvw::Widget* w) {
  return note("focus", w, std::string(w->hasFocus() ? "on" : "off") + (reverse ? " back" : ""));
}

}  // namespace gwtest
