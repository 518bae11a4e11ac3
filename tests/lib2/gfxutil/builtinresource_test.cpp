#include "lib2/gfxutil/BuiltInResource.h"

#include <gtest/gtest.h>

namespace gfxutil {
namespace {

TEST(BuiltInResource, LaterRegistrationWinsAndUnknownIsNothing) {
  static const unsigned char first[] = {1}, second[] = {2, 3};
  builtInResourceAdd("twice.gz", {1, first});
  builtInResourceAdd("twice.gz", {2, second});
  EXPECT_EQ(builtInResourceGet("twice.gz").data, second);
  EXPECT_EQ(builtInResourceGet("twice.gz").length, 2);
  EXPECT_EQ(builtInResourceGet("unknown.gz").data, nullptr);
  EXPECT_EQ(builtInResourceGet("unknown.gz").length, 0);
}

}  // namespace
}  // namespace gfxutil
