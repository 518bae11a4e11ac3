#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "lib1/plat/DString.h"
#include "lib1/plat/File.h"
#include "lib1/plat/FilePtr.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/FileInStream.h"
#include "lib1/rdr/FileOutStream.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Failure.h"
#include "tests/support/StreamDoubles.h"

using namespace rdr;

using namespace gwtest;

namespace {

struct TempDir {
  TempDir() {
    char t[] = "/tmp/gw-rdr-XXXXXX";
    path = mkdtemp(t);
  }
  ~TempDir() { (void)!system(("rm -rf " + path).c_str()); }
  std::string file(const char* name) const { return path + "/" + name; }
  std::string path;
};

}  // namespace

TEST(FileStreams, DestructorWritesOutAndReaderReadsBack) {
  TempDir dir;
  std::string name = dir.file("out.txt");
  {
    FileOutStream out(name.c_str());
    for (int i = 0; i < 5000; i++) out.writeBytes("line\r\n", 6);
  }
  FileInStream in(name.c_str());
  plat::DString line;
  int n = 0;
  try {
    while (true) {
      in.readLine(&line, 0);
      ASSERT_STREQ(line.get(), "line");
      n++;
    }
  } catch (EndOfStream&) {
  }
  EXPECT_EQ(n, 5000);
  EXPECT_EQ(in.pos(), 30000);

  {
    FileOutStream app(name.c_str(), false, true);
    app.writeBytes("tail", 4);
  }
  plat::FilePtr f(name.c_str(), plat::FilePtr::Read);
  fseek(f, -4, SEEK_END);
  EXPECT_TRUE(f.readLine(&line));
  EXPECT_STREQ(line.get(), "tail");
  EXPECT_FALSE(f.readLine(&line));
}

TEST(FileStreams, EmptyMissingAndBadNames) {
  TempDir dir;
  std::string empty = dir.file("empty");
  fclose(fopen(empty.c_str(), "w"));
  FileInStream in(empty.c_str());
  EXPECT_THROW(in.readU8(), EndOfStream);

  expectSystemError([&] { FileInStream missing(dir.file("missing").c_str()); }, ENOENT,
                    "fileOpen(");
  expectSystemError([&] { FileOutStream dirAsFile(dir.path.c_str()); }, EISDIR, "fileOpen(");
  EXPECT_THROW(plat::FilePtr("-", plat::FilePtr::ReadWrite), plat::Exception);
  plat::FilePtr stdinPtr("-", plat::FilePtr::Read);
  EXPECT_EQ(stdinPtr.get(), stdin);
  EXPECT_FALSE(stdinPtr.own);
}

TEST(FileStreams, ReadWriteCreateNeverTruncates) {
  TempDir dir;
  std::string name = dir.file("rwc");
  {
    plat::FilePtr f(name.c_str(), plat::FilePtr::ReadWriteCreate, true);
    fputs("keep", f);
  }
  plat::FilePtr again(name.c_str(), plat::FilePtr::ReadWriteCreate);
  plat::DString line;
  EXPECT_TRUE(again.readLine(&line));
  EXPECT_STREQ(line.get(), "keep");
  EXPECT_EQ(plat::fileOpenNoThrow(name.c_str(), "rw"), nullptr);
  EXPECT_EQ(errno, EINVAL);
  EXPECT_EQ(plat::fileOpenNoThrow(name.c_str(), "wx"), nullptr);
  EXPECT_EQ(errno, EEXIST);
}

TEST(FileStreams, FailedFinalFlushIsLoggedNotThrown) {
  FILE* full = fopen("/dev/full", "w");
  ASSERT_NE(full, nullptr);
  setvbuf(full, nullptr, _IONBF, 0);
  CaptureLogger capture;
  RouteWriter route(plat::LogWriter::getLogWriter("FileOutStream"), &capture, 0);
  {
    FileOutStream out(full, true);
    out.writeBytes("data", 4);
    EXPECT_THROW(out.flush(true), plat::StdlibException);
    out.writeBytes("more", 4);
  }  // must not throw, but must leave a trace
  ASSERT_EQ(capture.lines.size(), 1u);
  EXPECT_EQ(capture.lines[0].level, 0);
  EXPECT_EQ(capture.lines[0].text.rfind("writing to file failed: ", 0), 0u)
      << capture.lines[0].text;
}
