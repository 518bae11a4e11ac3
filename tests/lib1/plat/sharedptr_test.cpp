#include "lib1/plat/SharedPtr.h"

#include <gtest/gtest.h>

namespace {

struct Counted {
  explicit Counted(int* d) : deleted(d) {}
  ~Counted() { ++*deleted; }
  int* deleted;
};

}  // namespace

TEST(SharedPtr, SelfAssignmentKeepsTheObjectAndTheLastOwnerDeletes) {
  int deleted = 0;
  {
    plat::SharedPtr<Counted> a(new Counted(&deleted)), b = a;
    plat::SharedPtr<Counted>& bAlias = b;
    b = bAlias;
    a.reset();
    EXPECT_EQ(b.useCount(), 1);
    b = plat::SharedPtr<Counted>(new Counted(&deleted));  // lets go of the first
    EXPECT_EQ(deleted, 1);
  }
  EXPECT_EQ(deleted, 2);
}
