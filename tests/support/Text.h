// Text helpers for tests: taking over the arrays that calls hand back, lists
// of strings as one text, and what a call writes to standard error.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lib1/plat/String.h"

namespace gwtest {

// The text of an array a call handed over (array new), which this frees;
// "" for null.
inline std::string own(char* s) {
  std::unique_ptr<char[]> owned(s);
  return s ? s : "";
}

// The texts joined with commas.
inline std::string joined(const std::vector<plat::String>& texts) {
  std::string out;
  for (const plat::String& t : texts) out += (out.empty() ? "" : ",") + std::string(t.get());
  return out;
}

// What fn writes to standard error.
template <typename F>
std::string stderrOf(F fn) {
  testing::internal::CaptureStderr();
  fn();
  return testing::internal::GetCapturedStderr();
}

}  // namespace gwtest
