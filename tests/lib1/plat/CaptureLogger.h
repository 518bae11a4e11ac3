// Helpers of the configuration and logging tests: a log destination that
// keeps what it is given, an observer that records what it is told.
#pragma once

#include <string>
#include <vector>

#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "tests/lib1/plat/TestUtil.h"

struct CaptureLogger : plat::Logger {
  struct Line {
    int level;
    std::string log, text;
  };
  explicit CaptureLogger(const char* name = "capture") : plat::Logger(name) {}
  void write(int level, const char* logName, const char* text) override {
    lines.push_back({level, logName, text});
  }
  bool has(const std::string& text) const {
    for (const Line& l : lines)
      if (l.text == text) return true;
    return false;
  }
  std::vector<Line> lines;
};

// Routes one writer to a destination for the life of the object.
struct RouteWriter {
  RouteWriter(plat::LogWriter* w_, plat::Logger* to, int level) : w(w_) {
    w->setLoggerAndLevel(to, level);
  }
  ~RouteWriter() { w->setLoggerAndLevel(nullptr, 0); }
  plat::LogWriter* w;
};

inline std::string valueOf(const plat::ConfigParameter& p) {
  char* v = p.getValueStr();
  std::string s = v;
  delete[] v;
  return s;
}

struct RecordingObserver : plat::ParameterChangedCallback {
  void parameterChanged(plat::ConfigParameter* p, int priority) override {
    calls.push_back(priority);
    seen.push_back(valueOf(*p));
  }
  std::vector<int> calls;
  std::vector<std::string> seen;  // the effective value at each call
};
