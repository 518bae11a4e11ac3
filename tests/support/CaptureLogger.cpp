#include "tests/support/CaptureLogger.h"

#include <memory>

#include "lib1/plat/Exception.h"

namespace gwtest {

void CaptureLogger::write(int level, const char* logName, const char* text) {
  if (throws) throw plat::Exception("log failed");
  lines.push_back({level, logName, text});
}

bool CaptureLogger::has(const std::string& text) const {
  for (const Line& l : lines)
    if (l.text == text) return true;
  return false;
}

RouteWriter::RouteWriter(plat::LogWriter* writer, plat::Logger* to, int level) : writer_(writer) {
  writer_->setLoggerAndLevel(to, level);
}

RouteWriter::~RouteWriter() { writer_->setLoggerAndLevel(nullptr, 0); }

std::string valueOf(const plat::ConfigParameter& p) {
  std::unique_ptr<char[]> v(p.getValueStr());
  return v.get();
}

void RecordingObserver::parameterChanged(plat::ConfigParameter* p, int priority) {
  calls.push_back(priority);
  seen.push_back(valueOf(*p));
}

}  // namespace gwtest
