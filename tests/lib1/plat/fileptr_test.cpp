#include "lib1/plat/FilePtr.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;

TEST(FilePtr, DashNamesTheStandardStreamsWithoutOwningThem) {
  FilePtr in("-", FilePtr::Read);
  EXPECT_EQ(in.file, stdin);
  EXPECT_EQ(FilePtr("-", FilePtr::Append).file, stdout);
  in.replacePtr(nullptr, true);
  EXPECT_NE(fcntl(0, F_GETFD), -1);  // still open
  EXPECT_EQ(gwtest::failureOf([] { FilePtr p("-", FilePtr::ReadWrite); }),
            "Invalid mode for filename \"-\"");
}

TEST(FilePtr, ReadWriteCreateNeverTruncates) {
  gwtest::TempDir dir;
  std::string f = dir.write("f", "keep");
  { FilePtr p(f.c_str(), FilePtr::ReadWriteCreate); }
  EXPECT_EQ(gwtest::readFile(f), "keep");
}

TEST(FilePtr, MissingFileThrowsTheOpenText) {
  gwtest::TempDir dir;
  std::string f = dir.file("missing");
  gwtest::expectSystemError([&] { FilePtr p(f.c_str(), FilePtr::ReadWrite); }, ENOENT,
                            ("fileOpen(" + f + "): ").c_str());
}
