#include "lib1/plat/File.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <string>

#include "lib1/plat/Time.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using gwtest::expectSystemError;
using gwtest::TempDir;

namespace {

// Runs f in a forked child and returns its exit code.
int inChild(const std::function<int()>& f) {
  pid_t pid = fork();
  if (pid == 0) _exit(f());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(File, ModeStringsFollowTheGrammar) {
  TempDir dir;
  std::string f = dir.write("f", "data");
  struct {
    const char* mode;
    bool ok;
  } cases[] = {{"r", true},   {"r+b", true}, {"a+e", true}, {"w+", true},
               {"rw", false}, {"q", false},  {"", false},   {"r+t", false}};
  for (auto& c : cases) {
    errno = 0;
    FILE* fp = fileOpenNoThrow(f.c_str(), c.mode);
    EXPECT_EQ(fp != nullptr, c.ok) << c.mode;
    if (fp)
      fclose(fp);
    else
      EXPECT_EQ(errno, EINVAL) << c.mode;
  }
}

TEST(File, ExclusiveCreationNeverTruncates) {
  TempDir dir;
  std::string f = dir.write("f", "keep");
  EXPECT_EQ(fileOpenNoThrow(f.c_str(), "wx"), nullptr);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(gwtest::readFile(f), "keep");
  FILE* fp = fileOpen(dir.file("new").c_str(), "wx");
  fclose(fp);
  EXPECT_TRUE(fileExists(dir.file("new").c_str()));
}

TEST(File, EverythingOpenedIsCloseOnExec) {
  TempDir dir;
  FILE* fp = fileOpen(dir.file("f").c_str(), "w");
  int fd = fileOpenFd(dir.file("f").c_str(), O_RDONLY, 0);
  EXPECT_TRUE(fcntl(fileno(fp), F_GETFD) & FD_CLOEXEC);
  EXPECT_TRUE(fcntl(fd, F_GETFD) & FD_CLOEXEC);
  fclose(fp);
  close(fd);
}

TEST(File, FailuresNameTheOperationAndPath) {
  TempDir dir;
  std::string f = dir.write("f", "");
  std::string missing = dir.file("missing");
  std::string through = f + "/x";  // a path through a regular file
  struct {
    std::function<void()> call;
    int err;
    std::string text;
  } cases[] = {
      {[&] { fileOpen(missing.c_str(), "r"); }, ENOENT, "fileOpen(" + missing + "): "},
      {[&] { fileOpenFd(missing.c_str(), O_RDONLY, 0); }, ENOENT, "fileOpenFd(" + missing + "): "},
      {[&] { fileExists(through.c_str()); }, ENOTDIR, "fileExists(" + through + "): "},
      {[&] { fileRemove(missing.c_str()); }, ENOENT, "fileRemove(" + missing + "): "},
      {[&] { fileRename(missing.c_str(), f.c_str()); }, ENOENT,
       "fileRename(" + missing + "," + f + "): "},
      {[&] { chDir(f.c_str()); }, ENOTDIR, "chDir(" + f + "): "},
      {[&] { fileGetSize(missing.c_str()); }, ENOENT, "fileGetSize(" + missing + "): "},
      {[&] { fileGetTime(through.c_str()); }, ENOTDIR, "fileGetTime(" + through + "): "},
  };
  for (auto& c : cases) expectSystemError(c.call, c.err, c.text.c_str());
}

TEST(File, ExistsIsFalseOnlyForMissingFiles) {
  TempDir dir;
  std::string f = dir.write("f", "");
  EXPECT_TRUE(fileExists(f.c_str()));
  EXPECT_FALSE(fileExists(dir.file("missing").c_str()));
  EXPECT_FALSE(fileExistsNoThrow((f + "/x").c_str()));
  EXPECT_TRUE(isDir(dir.path().c_str()));
  EXPECT_FALSE(isDir(f.c_str()));
  EXPECT_FALSE(isDir((f + "/x").c_str()));
}

TEST(File, RemoveAndRenameTwinsReportByResult) {
  TempDir dir;
  std::string f = dir.write("f", "1");
  EXPECT_TRUE(fileRenameNoThrow(f.c_str(), dir.file("g").c_str()));
  EXPECT_EQ(gwtest::readFile(dir.file("g")), "1");
  EXPECT_FALSE(fileRemoveNoThrow(f.c_str()));
  EXPECT_EQ(errno, ENOENT);
  EXPECT_TRUE(fileRemoveNoThrow(dir.file("g").c_str()));
  mkdir(dir.file("empty").c_str(), 0700);
  fileRemove(dir.file("empty").c_str());
  EXPECT_FALSE(isDir(dir.file("empty").c_str()));
}

TEST(File, SizeTimeSeekTellAndTruncate) {
  TempDir dir;
  std::string f = dir.write("f", "0123456789");
  EXPECT_EQ(fileGetSize(f.c_str()), 10);
  struct stat st;
  stat(f.c_str(), &st);
  EXPECT_EQ(fileGetTime(f.c_str()), convertUnixTime(st.st_mtim));
  FILE* fp = fileOpen(f.c_str(), "r+");
  fileSeek(fp, 3, SEEK_SET);
  EXPECT_EQ(fileGetSize(fp), 10);
  EXPECT_EQ(fileTell(fp), 3);  // the size leaves the position alone
  fileTruncate(fp, 4);
  EXPECT_EQ(fileGetSize(fp), 4);
  EXPECT_FALSE(fileSeekNoThrow(fp, -20, SEEK_SET));
  EXPECT_EQ(errno, EINVAL);
  expectSystemError([&] { fileSeek(fp, -20, SEEK_CUR); }, EINVAL, "fileSeek: ");
  fclose(fp);
  FILE* ro = fileOpen(f.c_str(), "r");
  expectSystemError([&] { fileTruncate(ro, 0); }, EINVAL, "fileTruncate(): ");
  fclose(ro);
}

TEST(File, LockIsRefusedToAnotherProcessUntilReleased) {
  TempDir dir;
  std::string f = dir.write("f", "");
  FILE* fp = fileOpen(f.c_str(), "r+");
  ASSERT_TRUE(fileLock(fp, false));
  auto tryInChild = [&] {
    return inChild([&] {
      FILE* other = fileOpen(f.c_str(), "r+");
      return fileLock(other, false) ? 1 : 0;
    });
  };
  EXPECT_EQ(tryInChild(), 0);
  fileUnlock(fp);
  EXPECT_EQ(tryInChild(), 1);
  // A waiting lock is granted once the holder's lock goes away with it.
  ASSERT_TRUE(fileLock(fp, true));
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  pid_t holder = fork();
  if (holder == 0) {
    FILE* other = fileOpen(f.c_str(), "r+");
    char c = fileLock(other, true) ? 'y' : 'n';
    _exit(write(ready[1], &c, 1) == 1 ? 0 : 1);
  }
  fclose(fp);  // releases the lock
  char c = 0;
  EXPECT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  waitpid(holder, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
}

TEST(File, LockOnAReadOnlyStreamThrows) {
  TempDir dir;
  std::string f = dir.write("f", "");
  FILE* fp = fileOpen(f.c_str(), "r");
  expectSystemError([&] { fileLock(fp, false); }, EBADF, "fileLock: ");
  fclose(fp);
}
