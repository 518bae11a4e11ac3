#include "lib1/plat/FilePtr.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <string>

#include "lib1/plat/DString.h"
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

TEST(FilePtr, ReadLineTakesLinesOfAnyLength) {
  gwtest::TempDir dir;
  std::string longLine(5000, 'a');
  FilePtr p(dir.write("f", longLine + "\nwith cr\r\n\nlast").c_str(), FilePtr::Read);
  DString line;
  for (const char* e : {longLine.c_str(), "with cr\r", "", "last"}) {
    ASSERT_TRUE(p.readLine(&line));
    EXPECT_STREQ(line, e);
  }
  EXPECT_FALSE(p.readLine(&line));
}

TEST(FilePtr, MissingFileThrowsTheOpenText) {
  gwtest::TempDir dir;
  std::string f = dir.file("missing");
  gwtest::expectSystemError([&] { FilePtr p(f.c_str(), FilePtr::ReadWrite); }, ENOENT,
                            ("fileOpen(" + f + "): ").c_str());
}
