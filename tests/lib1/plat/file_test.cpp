#include "lib1/plat/File.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <string>

#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using gwtest::TempDir;

namespace {

using Stream = std::unique_ptr<FILE, decltype(&fclose)>;

Stream openStream(const std::string& path, const char* mode) {
  return Stream(fileOpen(path.c_str(), mode), &fclose);
}

// A child that tries a lock of its own on path; see granted().
pid_t childLocks(const std::string& path, bool wait) {
  pid_t pid = fork();
  if (pid == 0) _exit(fileLock(fileOpen(path.c_str(), "r+"), wait) ? 0 : 1);
  return pid;
}

bool granted(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

TEST(File, ModeStringsOutsideTheGrammarAreRefused) {
  TempDir dir;
  std::string f = dir.write("f", "data");
  for (const char* mode : {"r", "r+b", "a+e", "w+"}) fclose(fileOpen(f.c_str(), mode));
  for (const char* mode : {"rw", "q", "", "r+t"}) {
    errno = 0;
    EXPECT_EQ(fileOpenNoThrow(f.c_str(), mode), nullptr) << mode;
    EXPECT_EQ(errno, EINVAL) << mode;
  }
}

TEST(File, ExclusiveCreationNeverTruncates) {
  TempDir dir;
  std::string f = dir.write("f", "keep");
  EXPECT_EQ(fileOpenNoThrow(f.c_str(), "wx"), nullptr);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(gwtest::readFile(f), "keep");
}

TEST(File, EverythingOpenedIsCloseOnExec) {
  TempDir dir;
  Stream fp = openStream(dir.file("f"), "w");
  int fd = fileOpenFd(dir.file("f").c_str(), O_RDONLY, 0);
  EXPECT_TRUE(fcntl(fileno(fp.get()), F_GETFD) & FD_CLOEXEC);
  EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC);
  close(fd);
}

// Each row: the throwing form names the operation and path; its NoThrow twin,
// where there is one, returns false and leaves the same errno.
TEST(File, FailuresNameTheOperationAndTwinsReturnFalse) {
  TempDir dir;
  std::string f = dir.write("f", "");
  std::string missing = dir.file("missing");
  std::string through = f + "/x";  // a path through a regular file
  const char* m = missing.c_str();
  Stream rw = openStream(f, "r+");
  Stream ro = openStream(f, "r");
  struct {
    std::function<void()> call;
    std::function<bool()> twin;
    int err;
    std::string text;
  } cases[] = {
      {[&] { fileOpen(m, "r"); }, [&] { return fileOpenNoThrow(m, "r") != nullptr; }, ENOENT,
       "fileOpen(" + missing + "): No such file or directory (2)"},
      {[&] { fileOpenFd(m, O_RDONLY, 0); }, [&] { return fileOpenFdNoThrow(m, O_RDONLY, 0) >= 0; },
       ENOENT, "fileOpenFd(" + missing + "): "},
      {[&] { fileExists(through.c_str()); }, [&] { return fileExistsNoThrow(through.c_str()); },
       ENOTDIR, "fileExists(" + through + "): "},
      {[&] { fileRemove(m); }, [&] { return fileRemoveNoThrow(m); }, ENOENT,
       "fileRemove(" + missing + "): "},
      {[&] { fileRename(m, f.c_str()); }, [&] { return fileRenameNoThrow(m, f.c_str()); }, ENOENT,
       "fileRename(" + missing + "," + f + "): "},
      {[&] { chDir(f.c_str()); }, [&] { return chDirNoThrow(f.c_str()); }, ENOTDIR,
       "chDir(" + f + "): "},
      {[&] { fileSeek(rw.get(), -20, SEEK_CUR); },
       [&] { return fileSeekNoThrow(rw.get(), -20, SEEK_SET); }, EINVAL, "fileSeek: "},
      {[&] { fileGetSize(m); }, nullptr, ENOENT, "fileGetSize(" + missing + "): "},
      {[&] { fileGetTime(through.c_str()); }, nullptr, ENOTDIR, "fileGetTime(" + through + "): "},
      {[&] { fileTruncate(ro.get(), 0); }, nullptr, EINVAL, "fileTruncate(): "},
      {[&] { fileLock(ro.get(), false); }, nullptr, EBADF, "fileLock: "},
  };
  for (auto& c : cases) {
    gwtest::expectSystemError(c.call, c.err, c.text.c_str());
    if (!c.twin) continue;
    errno = 0;
    EXPECT_FALSE(c.twin()) << c.text;
    EXPECT_EQ(errno, c.err) << c.text;
  }
}

TEST(File, MissingFileIsNoFailureOfExists) {
  TempDir dir;
  EXPECT_FALSE(fileExists(dir.file("missing").c_str()));
  EXPECT_FALSE(isDir(dir.write("f", "").append("/x").c_str()));
}

TEST(File, RemoveTakesAnEmptyDirectory) {
  TempDir dir;
  mkdir(dir.file("empty").c_str(), 0700);
  fileRemove(dir.file("empty").c_str());
  EXPECT_FALSE(isDir(dir.file("empty").c_str()));
}

TEST(File, StreamSizeLeavesThePositionAlone) {
  TempDir dir;
  Stream fp = openStream(dir.write("f", "0123456789"), "r+");
  fileSeek(fp.get(), 3, SEEK_SET);
  EXPECT_EQ(fileGetSize(fp.get()), 10);
  EXPECT_EQ(fileTell(fp.get()), 3);
  fileTruncate(fp.get(), 4);
  EXPECT_EQ(fileGetSize(fp.get()), 4);
}

TEST(File, LockIsRefusedToAnotherProcessUntilReleased) {
  TempDir dir;
  std::string f = dir.write("f", "");
  Stream fp = openStream(f, "r+");
  ASSERT_TRUE(fileLock(fp.get(), false));
  EXPECT_FALSE(granted(childLocks(f, false)));
  fileUnlock(fp.get());
  EXPECT_TRUE(granted(childLocks(f, false)));
}

TEST(File, WaitingLockIsGrantedWhenTheHolderCloses) {
  TempDir dir;
  std::string f = dir.write("f", "");
  Stream fp = openStream(f, "r+");
  ASSERT_TRUE(fileLock(fp.get(), true));
  pid_t waiter = childLocks(f, true);
  fp.reset();  // closing releases the lock
  EXPECT_TRUE(granted(waiter));
}
