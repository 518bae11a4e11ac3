#include "lib1/plat/FilePtr.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using gwtest::TempDir;

TEST(FilePtr, DashNamesTheStandardStreamsWithoutOwningThem) {
  FilePtr in("-", FilePtr::Read);
  EXPECT_EQ(in.file, stdin);
  EXPECT_FALSE(in.own);
  FilePtr out("-", FilePtr::Append);
  EXPECT_EQ(out.file, stdout);
  in.replacePtr(nullptr, true);
  EXPECT_NE(fcntl(0, F_GETFD), -1);  // still open
  EXPECT_EQ(gwtest::failureOf([] { FilePtr p("-", FilePtr::ReadWrite); }),
            "Invalid mode for filename \"-\"");
}

TEST(FilePtr, ReadWriteCreateNeverTruncates) {
  TempDir dir;
  std::string f = dir.write("f", "keep");
  { FilePtr p(f.c_str(), FilePtr::ReadWriteCreate); }
  EXPECT_EQ(gwtest::readFile(f), "keep");
  {
    FilePtr p(dir.file("new").c_str(), FilePtr::ReadWriteCreate, true);
    fputs("x", p.file);
  }
  EXPECT_EQ(gwtest::readFile(dir.file("new")), "x");
}

TEST(FilePtr, ReadLineTakesLinesOfAnyLength) {
  TempDir dir;
  std::string longLine(5000, 'a');
  std::string f = dir.write("f", (longLine + "\nwith cr\r\n\nlast").c_str());
  FilePtr p(f.c_str(), FilePtr::Read);
  DString line;
  const char* expected[] = {longLine.c_str(), "with cr\r", "", "last"};
  for (const char* e : expected) {
    ASSERT_TRUE(p.readLine(&line));
    EXPECT_STREQ(line, e);
  }
  EXPECT_FALSE(p.readLine(&line));
}

TEST(FilePtr, MissingFileThrowsTheOpenText) {
  TempDir dir;
  std::string f = dir.file("missing");
  gwtest::expectSystemError([&] { FilePtr p(f.c_str(), FilePtr::ReadWrite); }, ENOENT,
                            ("fileOpen(" + f + "): ").c_str());
}
