#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FileInStream.h"
#include "lib1/rdr/FileOutStream.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace rdr;
using namespace gwtest;

namespace {

struct FileStreams : testing::Test {
  TempDir dir;
  std::string name = dir.file("f");
  CaptureLogger log;
  RouteWriter route{plat::LogWriter::getLogWriter("FileOutStream"), &log, 0};
};

}  // namespace

TEST_F(FileStreams, AppendModeWritesAfterTheOldContent) {
  { FileOutStream(name.c_str()).writeBytes("old\n", 4); }
  { FileOutStream(name.c_str(), false, true).writeBytes("new\n", 4); }
  EXPECT_EQ(readFile(name), "old\nnew\n");
}

TEST_F(FileStreams, OpenFailuresCarryTheSystemError) {
  expectSystemError([&] { FileInStream{dir.file("missing").c_str()}; }, ENOENT, "fileOpen(");
  expectSystemError([&] { FileOutStream{dir.path().c_str()}; }, EISDIR, "fileOpen(");
}

TEST_F(FileStreams, ReadOrFlushWithoutAFileFailsClearly) {
  EXPECT_EQ(failureOf([] { FileInStream().readU8(); }), "FileInStream: no file open");
  FileOutStream out;
  out.writeBytes("data", 4);
  EXPECT_EQ(failureOf([&] { out.flush(); }), "FileOutStream: no file open");
}

TEST_F(FileStreams, BytesLeftWithoutAFileAreLoggedAsLost) {
  { FileOutStream().writeBytes("data", 4); }
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0].text, "FileOutStream: no file open");
}

TEST_F(FileStreams, FailedFinalFlushIsLoggedNotThrown) {
  FILE* full = fopen("/dev/full", "w");
  ASSERT_EQ(setvbuf(full, nullptr, _IONBF, 0), 0);
  {
    FileOutStream out(full, true);
    out.writeBytes("data", 4);
    EXPECT_THROW(out.flush(true), plat::StdlibException);
  }
  ASSERT_EQ(log.lines.size(), 1u);
  EXPECT_EQ(log.lines[0].level, 0);  // an error
  EXPECT_EQ(log.lines[0].text.substr(0, 24), "writing to file failed: ");
}
