#include "lib1/plat/SharedPtr.h"

#include <gtest/gtest.h>

#include <utility>

TEST(SharedPtr, LastOwnerDeletes) {
  struct Counted {
    explicit Counted(int* d) : deleted(d) {}
    ~Counted() { ++*deleted; }
    int* deleted;
  };
  int deleted = 0;
  {
    plat::SharedPtr<Counted> a(new Counted(&deleted)), b = a;
    plat::SharedPtr<Counted>& bAlias = b;
    b = bAlias;  // self-assignment keeps the object
    b = std::move(bAlias);
    a = b;
    EXPECT_EQ(a.useCount(), 2);
    a.reset();
    EXPECT_EQ(deleted, 0);
    b = plat::SharedPtr<Counted>(new Counted(&deleted));  // lets go of the first
    EXPECT_EQ(deleted, 1);
  }
  EXPECT_EQ(deleted, 2);
}
