#include "lib1/plat/File.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>

#include "tests/support/Deadline.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

using Stream = std::unique_ptr<FILE, decltype(&fclose)>;

Stream openStream(const std::string& path, const char* mode) {
  return Stream(fileOpen(path.c_str(), mode), &fclose);
}

// A child that takes a lock of its own on path: exit code 0 once granted.
pid_t childLocks(const std::string& path, bool wait) {
  return startChild([&] { return fileLock(fileOpen(path.c_str(), "r+"), wait) ? 0 : 1; });
}

struct FileTest : testing::Test {
  TempDir dir;
  std::string f = dir.write("f", "keep");
};

}  // namespace

TEST_F(FileTest, ModeStringsOutsideTheGrammarAreRefused) {
  fclose(fileOpen(f.c_str(), "a+e"));
  for (const char* mode : {"rw", "q", "", "r+t"}) {
    EXPECT_EQ(fileOpenNoThrow(f.c_str(), mode), nullptr) << mode;
    EXPECT_EQ(errno, EINVAL) << mode;
  }
}

TEST_F(FileTest, EverythingOpenedIsCloseOnExec) {
  Stream fp = openStream(f, "r");
  int fd = fileOpenFd(f.c_str(), O_RDONLY, 0);
  EXPECT_TRUE(fcntl(fileno(fp.get()), F_GETFD) & FD_CLOEXEC);
  EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC);
  close(fd);
}

TEST_F(FileTest, FailuresNameTheOperationAndTwinsReturnFalse) {
  std::string missing = dir.file("missing");
  std::string through = f + "/x";  // a path through a regular file
  const char* m = missing.c_str();
  Stream rw = openStream(f, "r+");
  Stream ro = openStream(f, "r");
  FileFailure cases[] = {
      {[&] { fileOpen(m, "r"); }, [&] { return fileOpenNoThrow(m, "r") != nullptr; }, ENOENT,
       "fileOpen(" + missing + "): No such file or directory (2)"},
      {[&] { fileOpen(f.c_str(), "wx"); },
       [&] { return fileOpenNoThrow(f.c_str(), "wx") != nullptr; }, EEXIST,
       "fileOpen(" + f + "): "},
      {[&] { fileExists(through.c_str()); }, [&] { return fileExistsNoThrow(through.c_str()); },
       ENOTDIR, "fileExists(" + through + "): "},
      {[&] { fileRename(m, f.c_str()); }, [&] { return fileRenameNoThrow(m, f.c_str()); }, ENOENT,
       "fileRename(" + missing + "," + f + "): "},
      {[&] { fileSeek(rw.get(), -20, SEEK_CUR); },
       [&] { return fileSeekNoThrow(rw.get(), -20, SEEK_SET); }, EINVAL, "fileSeek: "},
      {[&] { fileGetTime(through.c_str()); }, nullptr, ENOTDIR, "fileGetTime(" + through + "): "},
      {[&] { fileTruncate(ro.get(), 0); }, nullptr, EINVAL, "fileTruncate(): "},
      {[&] { fileLock(ro.get(), false); }, nullptr, EBADF, "fileLock: "},
  };
  for (auto& c : cases) expectFailure(c);
  EXPECT_EQ(readFile(f), "keep");  // "wx" never truncates
}

TEST_F(FileTest, LockIsRefusedToAnotherProcessUntilReleased) {
  Stream fp = openStream(f, "r+");
  ASSERT_TRUE(fileLock(fp.get(), false));
  EXPECT_EQ(exitCodeOf(childLocks(f, false)), 1);
  fileUnlock(fp.get());
  EXPECT_EQ(exitCodeOf(childLocks(f, false)), 0);
}

// Nothing writes into the pipe and nothing reads it: an open that waited
// would wait for ever.
TEST_F(FileTest, OpeningWithoutWaitingRefusesWhatIsNoRegularFileAtOnce) {
  std::string pipe = dir.file("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    const char* name;
    std::string path;
    const char* mode;
    bool regularOnly;
    std::string fault;
  } rows[] = {
      {"a named pipe", pipe, "r", true, "fileOpen(" + pipe + "): a named pipe, not a regular file"},
      {"a directory", dir.path(), "r", true,
       "fileOpen(" + dir.path() + "): a directory, not a regular file"},
      {"a device", "/dev/null", "r", true, "fileOpen(/dev/null): a device, not a regular file"},
      {"a pipe nothing reads, to write", pipe, "w", false,
       "fileOpen(" + pipe + "): No such device or address (6)"},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(
        textWithin([&] {
          return failureOf([&] { fclose(fileOpenNoWait(r.path.c_str(), r.mode, r.regularOnly)); });
        }),
        r.fault)
        << r.name;
  }
}

// The open alone must not wait: a reader of the pipe waits for its data.
TEST_F(FileTest, WhatOpensWithoutWaitingIsThenReadAsUsual) {
  std::string pipe = dir.file("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(textWithin([&] {
              std::string text(8, 0);
              Stream file(fileOpenNoWait(f.c_str(), "r", true), &fclose);
              text.resize(fread(text.data(), 1, text.size(), file.get()));
              Stream reader(fileOpenNoWait(pipe.c_str(), "r", false), &fclose);
              for (FILE* s : {file.get(), reader.get()}) {
                text += fcntl(fileno(s), F_GETFL) & O_NONBLOCK ? ", non-blocking" : ", blocking";
                text += fcntl(fileno(s), F_GETFD) & FD_CLOEXEC ? " close-on-exec" : "";
              }
              return text;
            }),
            "keep, blocking close-on-exec, blocking close-on-exec");
}
