// Text helpers for tests: taking over the arrays that calls hand back, and
// what a call writes to standard error.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace gwtest {

// The text of an array a call handed over (array new), which this frees;
// "" for null.
inline std::string own(char* s) {
  std::unique_ptr<char[]> owned(s);
  return s ? s : "";
}

// What fn writes to standard error.
template <typename F>
std::string stderrOf(F fn) {
  testing::internal::CaptureStderr();
  fn();
  return testing::internal::GetCapturedStderr();
}

}  // namespace gwtest
