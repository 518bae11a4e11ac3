// The one way a fuzz target stops on a broken expectation: it names the
// expectation, the input and what came of it on standard error, where the
// run's log keeps them, then aborts so that libFuzzer saves the input.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace gwtest {

inline void fuzzCheck(bool ok, const char* what, const std::string& in, const std::string& got) {
  if (ok) return;
  fprintf(stderr, "%s: input \"%s\" gave \"%s\"\n", what, in.c_str(), got.c_str());
  abort();
}

}  // namespace gwtest
