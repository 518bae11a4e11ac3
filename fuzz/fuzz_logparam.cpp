// The `Log` value: the input is stored as the setting (at priority 50) and
// also applied as one element, against a few sources and destinations; then
// every routed source writes the input as a message, which must arrive as
// one escaped line.
//
// A malformed element is reported on standard error, and nearly every input
// is one, so the reports are caught in memory instead of printed: a run of a
// few minutes would otherwise write gigabytes. What is caught must still be
// fit for a terminal: whole lines of bounded length, UTF-8, without control
// characters.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lib1/plat/LogParam.h"
#include "lib1/plat/Utf8.h"

using namespace plat;

namespace {

// A report shows at most 200 bytes of the element, escaped at 4 bytes each.
constexpr size_t kLongestReport = 1024;

struct CheckingLogger : Logger {
  explicit CheckingLogger(const char* name) : Logger(name) {}
  void write(int, const char*, const char* text) override {
    for (const char* p = text; *p; p++)
      if (static_cast<unsigned char>(*p) < 0x20) abort();
  }
};

struct Setup {
  CheckingLogger a{"capture"}, b{"Other"};
  LogWriter w1{"TimerManager"}, w2{"FdIo"}, w3{"grantwell"};
};

// Catches what the library prints on stderr while it lives. The C library
// lets stderr be reassigned; libFuzzer's own stream and the sanitizers'
// reports do not go through it, so a crash is still reported in full.
class CaughtStderr {
 public:
  CaughtStderr() : saved_(stderr), file_(open_memstream(&text_, &size_)) {
    if (!file_) abort();
    stderr = file_;
  }
  ~CaughtStderr() {
    stderr = saved_;
    fclose(file_);
    free(text_);
  }
  CaughtStderr(const CaughtStderr&) = delete;
  CaughtStderr& operator=(const CaughtStderr&) = delete;

  std::string text() {
    fflush(file_);
    return std::string(text_, size_);
  }

 private:
  FILE* saved_;
  char* text_ = nullptr;
  size_t size_ = 0;
  FILE* file_;
};

void checkReports(const std::string& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos || end - start > kLongestReport) abort();
    std::string line = text.substr(start, end - start);
    if (!isValidUtf8(line.c_str())) abort();
    for (char c : line)
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) abort();
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup* s = new Setup;
  std::string input(reinterpret_cast<const char*>(data), size);
  CaughtStderr reports;
  try {
    logParam.setParam(input.c_str(), 50);
  } catch (const Exception&) {
  }
  LogWriter::setLogParamElement(input.c_str());
  checkReports(reports.text());
  for (LogWriter* w = LogWriter::head; w; w = w->next) {
    if (w->level < 0) abort();
    if (w->logger && w->logger != &s->a && w->logger != &s->b) abort();
    w->write(w->level, "%s", input.c_str());
  }
  return 0;
}
