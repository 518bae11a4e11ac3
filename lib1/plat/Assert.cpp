#include "lib1/plat/Assert.h"

#include <cstdio>
#include <cstdlib>

#include "lib1/plat/Log.h"

namespace plat {

namespace {

// Never destroyed, and built on first use: an assertion may fire during
// static initialisation, or from another static object's destructor at exit.
LogWriter& assertionLog() {
  static LogWriter* writer = new LogWriter("Assertion");
  return *writer;
}

// Built before main all the same, so that the `Log` setting finds it.
[[maybe_unused]] LogWriter& builtBeforeMain = assertionLog();

}  // namespace

void assertFatal_(const AssertionFail& failure) {
  fprintf(stderr, "%s\n", failure.str());
  fflush(stderr);
  try {
    assertionLog().error("%s", failure.str());
  } catch (...) {
  }
  abort();
}

void assertWarn_(const AssertionFail& failure) {
  try {
    assertionLog().error("Warning: %s", failure.str());
  } catch (...) {
  }
}

}  // namespace plat
