// Log and parameter doubles: a log destination that keeps what it is given
// (or fails every write), a route from one writer to it, and an observer that
// records what it is told.
#pragma once

#include <string>
#include <vector>

#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Log.h"

namespace gwtest {

class CaptureLogger : public plat::Logger {
 public:
  struct Line {
    int level;
    std::string log, text;
  };
  explicit CaptureLogger(const char* logName = "capture", bool throwing = false)
      : plat::Logger(logName), throws(throwing) {}
  // Keeps the line, or throws plat::Exception("log failed") when built throwing.
  void write(int level, const char* logName, const char* text) override;
  bool has(const std::string& text) const;

  bool throws;
  std::vector<Line> lines;
};

// Routes one writer to a destination for the life of the object.
class RouteWriter {
 public:
  RouteWriter(plat::LogWriter* writer, plat::Logger* to, int level);
  ~RouteWriter();
  RouteWriter(const RouteWriter&) = delete;
  RouteWriter& operator=(const RouteWriter&) = delete;

 private:
  plat::LogWriter* writer_;
};

// A parameter's value as text.
std::string valueOf(const plat::ConfigParameter& p);

struct RecordingObserver : plat::ParameterChangedCallback {
  void parameterChanged(plat::ConfigParameter* p, int priority) override;
  std::vector<int> calls;
  std::vector<std::string> seen;  // the effective value at each call
};

}  // namespace gwtest
