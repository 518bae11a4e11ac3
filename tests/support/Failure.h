// The text of the exception a call throws, for tests that check messages.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/Exception.h"

namespace gwtest {

// The message of the plat::Exception f throws, or "(none)".
template <typename F>
std::string failureOf(F f) {
  try {
    f();
  } catch (const plat::Exception& e) {
    return e.str();
  }
  return "(none)";
}

// Expects f to throw a plat::SystemException with error err whose message
// starts with prefix.
template <typename F>
void expectSystemError(F f, int err, const char* prefix) {
  try {
    f();
    ADD_FAILURE() << "nothing thrown, expected " << prefix;
  } catch (plat::SystemException& e) {
    EXPECT_EQ(e.err, err) << e.str();
    EXPECT_EQ(std::string(e.str()).rfind(prefix, 0), 0u) << e.str();
  }
}

}  // namespace gwtest
