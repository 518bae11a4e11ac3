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
#include "tests/support/TempDir.h"

using namespace rdr;
using gwtest::CaptureLogger;
using gwtest::failureOf;
using gwtest::RouteWriter;

namespace {}  // namespace

TEST(FileStreams, WhatTheDestructorWritesOutReadsBackLineByLine) {
  gwtest::TempDir dir;
  std::string name = dir.file("out.txt");
  {
    FileOutStream out(name.c_str());
    for (int i = 0; i < 5000; i++) out.writeBytes("line\r\n", 6);
  }
  FileInStream in(name.c_str());
  plat::DString line;
  for (int i = 0; i < 5000; i++) {
    ASSERT_EQ(in.readLine(&line, 0), 4);
    ASSERT_STREQ(line.get(), "line");
  }
  EXPECT_EQ(in.pos(), 30000);
  EXPECT_THROW(in.readLine(&line, 0), EndOfStream);
}

TEST(FileStreams, AppendModeWritesAfterTheOldContent) {
  gwtest::TempDir dir;
  std::string name = dir.file("log");
  { FileOutStream(name.c_str()).writeBytes("old\n", 4); }
  { FileOutStream(name.c_str(), false, true).writeBytes("new\n", 4); }
  FileInStream in(name.c_str());
  char buf[8];
  in.readBytes(buf, 8);
  EXPECT_EQ(std::string(buf, 8), "old\nnew\n");
}

TEST(FileStreams, EmptyFileEndsOnTheFirstRead) {
  gwtest::TempDir dir;
  std::string name = dir.file("empty");
  FileOutStream{name.c_str()};
  EXPECT_THROW(FileInStream(name.c_str()).readU8(), EndOfStream);
}

TEST(FileStreams, OpenFailuresCarryTheSystemError) {
  gwtest::TempDir dir;
  gwtest::expectSystemError([&] { FileInStream{dir.file("missing").c_str()}; }, ENOENT,
                            "fileOpen(");
  gwtest::expectSystemError([&] { FileOutStream{dir.path().c_str()}; }, EISDIR, "fileOpen(");
}

TEST(FileStreams, DashNamesStandardInputOnlyForReadingOrWriting) {
  EXPECT_THROW(plat::FilePtr("-", plat::FilePtr::ReadWrite), plat::Exception);
  plat::FilePtr in("-", plat::FilePtr::Read);
  EXPECT_EQ(in.get(), stdin);
}

TEST(FileStreams, ReadWriteCreateNeverTruncates) {
  gwtest::TempDir dir;
  std::string name = dir.file("rwc");
  {
    plat::FilePtr f(name.c_str(), plat::FilePtr::ReadWriteCreate, true);
    fputs("keep", f);
  }
  plat::FilePtr again(name.c_str(), plat::FilePtr::ReadWriteCreate);
  plat::DString line;
  EXPECT_TRUE(again.readLine(&line));
  EXPECT_STREQ(line.get(), "keep");
}

TEST(FileStreams, UnknownOpenModesAreRefusedWithTheirErrors) {
  gwtest::TempDir dir;
  std::string name = dir.file("exists");
  FileOutStream{name.c_str()};
  EXPECT_EQ(plat::fileOpenNoThrow(name.c_str(), "rw"), nullptr);
  EXPECT_EQ(errno, EINVAL);
  EXPECT_EQ(plat::fileOpenNoThrow(name.c_str(), "wx"), nullptr);
  EXPECT_EQ(errno, EEXIST);
}

TEST(FileStreams, ReadOrFlushWithoutAFileFailsClearly) {
  EXPECT_EQ(failureOf([] { FileInStream().readU8(); }), "FileInStream: no file open");
  FileOutStream out;
  out.writeBytes("data", 4);
  EXPECT_EQ(failureOf([&] { out.flush(); }), "FileOutStream: no file open");
}

TEST(FileStreams, BytesLeftWithoutAFileAreLoggedAsLost) {
  CaptureLogger capture;
  RouteWriter route(plat::LogWriter::getLogWriter("FileOutStream"), &capture, 0);
  { FileOutStream().writeBytes("data", 4); }
  ASSERT_EQ(capture.lines.size(), 1u);
  EXPECT_EQ(capture.lines[0].text, "FileOutStream: no file open");
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
  }
  ASSERT_EQ(capture.lines.size(), 1u);
  EXPECT_EQ(capture.lines[0].level, 0);
  EXPECT_EQ(capture.lines[0].text.rfind("writing to file failed: ", 0), 0u)
      << capture.lines[0].text;
}
