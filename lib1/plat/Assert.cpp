#include "lib1/plat/Assert.h"

#include <cstdio>
#include <cstdlib>

#include "lib1/plat/Log.h"

namespace plat {

PLAT_LOG_WRITER(vlog, "Assertion");

void assertFatal_(const AssertionFail& failure) {
  fprintf(stderr, "%s\n", failure.str());
  fflush(stderr);
  try {
    vlog().error("%s", failure.str());
  } catch (...) {
  }
  abort();
}

void assertWarn_(const AssertionFail& failure) {
  try {
    vlog().error("Warning: %s", failure.str());
  } catch (...) {
  }
}

}  // namespace plat
