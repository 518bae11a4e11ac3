// Fatal and warning assertions. A broken invariant is reported on standard
// error and to the "Assertion" log, then the process aborts.
#pragma once

#include "lib1/plat/Exception.h"

namespace plat {

[[noreturn]] void assertFatal_(const AssertionFail& failure);
void assertWarn_(const AssertionFail& failure);

}  // namespace plat

// PLAT_ASSERT(cond) aborts with "Assertion 'cond' failed at file:line".
// PLAT_ASSERT_MSG(cond, format, ...) adds ": " and the formatted detail.
#define PLAT_ASSERT(cond) \
  ((cond) ? (void)0 : ::plat::assertFatal_(::plat::AssertionFail(#cond, __FILE__, __LINE__)))
#define PLAT_ASSERT_MSG(cond, ...) \
  ((cond)                          \
       ? (void)0                   \
       : ::plat::assertFatal_(::plat::AssertionFail(#cond, __FILE__, __LINE__).fmt(__VA_ARGS__)))
#define PLAT_ASSERT_WARN(cond) \
  ((cond) ? (void)0 : ::plat::assertWarn_(::plat::AssertionFail(#cond, __FILE__, __LINE__)))
