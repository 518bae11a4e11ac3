// The `Log` value: the input is stored as the setting (at priority 50) and
// also applied as one element, against a few sources and destinations; then
// every routed source writes the input as a message, which must arrive as
// one escaped line.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lib1/plat/LogParam.h"

using namespace plat;

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Setup* s = new Setup;
  std::string input(reinterpret_cast<const char*>(data), size);
  try {
    logParam.setParam(input.c_str(), 50);
  } catch (const Exception&) {
  }
  LogWriter::setLogParamElement(input.c_str());
  for (LogWriter* w = LogWriter::head; w; w = w->next) {
    if (w->level < 0) abort();
    if (w->logger && w->logger != &s->a && w->logger != &s->b) abort();
    w->write(w->level, "%s", input.c_str());
  }
  return 0;
}
