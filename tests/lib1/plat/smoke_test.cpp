#include <gtest/gtest.h>

#include "lib1/plat/DString.h"
TEST(Smoke, Builds) {
  plat::DString d;
  d.prf("%d", 5);
  EXPECT_STREQ(d.get(), "5");
}
