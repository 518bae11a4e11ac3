#include "lib1/plat/TransactedFile.h"

#include <gtest/gtest.h>
#include <sys/inotify.h>

#include <string>
#include <vector>

#include "lib1/plat/File.h"
#include "tests/support/FileChecks.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

using Names = std::vector<std::string>;

struct TransactedFileTest : testing::Test {
  TempDir dir;
  std::string target = dir.write("t", "old");

  // Saves content to path in one transaction; false when that failed.
  static bool save(const std::string& path, const std::string& content) {
    try {
      TransactedFile tf(path.c_str(), true, false);
      fwrite(content.data(), 1, content.size(), tf.file);  // failures show at commit
      tf.commit();
      return true;
    } catch (Exception&) {
      return false;
    }
  }
};

}  // namespace

TEST_F(TransactedFileTest, CommitPutsTheContentInPlaceWithTheOldPermissions) {
  chmod(target.c_str(), 0604);
  TransactedFile tf(target.c_str(), false, false);
  fputs("new content", tf.file);
  EXPECT_EQ(readFile(target), "old");  // readers see the old file meanwhile
  tf.commit();
  EXPECT_EQ(readFile(target), "new content");
  EXPECT_EQ(modeOf(target), 0604u);
  EXPECT_EQ(dir.names(), Names{"t"});
}

TEST_F(TransactedFileTest, WithoutCommitNothingChangesAndNoTraceIsLeft) {
  {
    TransactedFile tf(target.c_str(), true, false);
    fputs("half-written", tf.file);
  }
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(dir.names(), Names{"t"});
}

TEST_F(TransactedFileTest, PrivateTemporaryIsBornPrivate) {
  mode_t saved = umask(022);
  int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(inotify_add_watch(watch, dir.path().c_str(), IN_CREATE | IN_ATTRIB), 0);
  TransactedFile tf(dir.file("new").c_str(), false, true);
  umask(saved);
  // Created, and never changed in mode after: others never had a moment to open it.
  alignas(inotify_event) char events[4096];
  ssize_t n = read(watch, events, sizeof(events));
  close(watch);
  auto* e = reinterpret_cast<inotify_event*>(events);
  EXPECT_EQ(n, ssize_t(sizeof(inotify_event) + e->len));  // one event alone
  EXPECT_EQ(e->mask, uint32_t(IN_CREATE));
  EXPECT_EQ(modeOf(tf.tmpPath()), 0600u);
}

TEST_F(TransactedFileTest, FailuresToStartNameTheFileAndLeaveNothing) {
  std::string missing = dir.file("missing/t");
  for (bool priv : {false, true})
    expectSystemError([&] { TransactedFile tf(missing.c_str(), false, priv); }, ENOENT,
                      ("fileOpen(" + missing + ".XXXXXX.tmp): ").c_str());
  // A directory cannot be replaced by a file: refused before anything is written.
  mkdir(dir.file("d").c_str(), 0755);
  expectSystemError([&] { TransactedFile tf(dir.file("d").c_str(), false, false); }, EISDIR,
                    ("fileOpen(" + dir.file("d") + "): ").c_str());
  EXPECT_EQ(dir.names(), (Names{"d", "t"}));
}

// Each save has a temporary of its own: one never renames the other's
// half-written file into place.
TEST_F(TransactedFileTest, ConcurrentSavesEachPublishAWholeFile) {
  const std::string a(1 << 16, 'a'), b(1 << 16, 'b');
  auto saver = [&](const std::string& content) {
    return startChild([&] {
      for (int i = 0; i < 40; i++)
        if (!save(target, content)) return 1;
      return 0;
    });
  };
  pid_t savers[] = {saver(a), saver(b)};
  int status[2] = {-1, -1}, running = 2, torn = 0;
  while (running > 0) {
    std::string seen = readFile(target);
    if (seen != "old" && seen != a && seen != b) torn++;
    for (int i : {0, 1})
      if (status[i] == -1 && waitpid(savers[i], &status[i], WNOHANG) == savers[i]) running--;
  }
  EXPECT_EQ(torn, 0);
  for (int s : status) EXPECT_TRUE(WIFEXITED(s) && WEXITSTATUS(s) == 0);
  EXPECT_EQ(dir.names(), Names{"t"});
}

// As on a full disk: a write that failed, even one whose caller did not
// look, must not put a cut-off file in place.
TEST_F(TransactedFileTest, FailedWriteLeavesTheOldFile) {
  EXPECT_EQ(inChildWithFileLimit(4096, [&] { return save(target, std::string(1 << 16, 'x')); }), 0);
  EXPECT_EQ(readFile(target), "old");
  EXPECT_EQ(dir.names(), Names{"t"});
}

// The failure names the file the caller saves, not the temporary that goes.
TEST_F(TransactedFileTest, AFailedWriteNamesTheTarget) {
  std::string prefix = "Error writing to " + target + ": ";
  EXPECT_EQ(inChildWithFileLimit(4096,
                                 [&] {
                                   TransactedFile tf(target.c_str(), true, false);
                                   fputs(std::string(1 << 16, 'x').c_str(), tf.file);
                                   std::string fault = failureOf([&] { tf.commit(); });
                                   return fault.rfind(prefix, 0) == 0 ? 0 : 1;
                                 }),
            0);
}

TEST_F(TransactedFileTest, SaveThroughLinksUpdatesTheFileTheyLeadTo) {
  mkdir(dir.file("sub").c_str(), 0755);
  const struct {
    const char* link;
    std::string to;
    const char* file;
  } rows[] = {
      {"relative", "t", "t"},
      {"chain", "sub/../relative", "t"},
      {"absolute", dir.file("sub/new"), "sub/new"},  // not there yet: made
  };
  for (const auto& r : rows) {
    ASSERT_EQ(symlink(r.to.c_str(), dir.file(r.link).c_str()), 0);
    ASSERT_TRUE(save(dir.file(r.link), r.link)) << r.link;
    EXPECT_EQ(readFile(dir.file(r.file)), r.link);
    struct stat st;
    EXPECT_TRUE(lstat(dir.file(r.link).c_str(), &st) == 0 && S_ISLNK(st.st_mode)) << r.link;
  }
  EXPECT_EQ(dir.names(), (Names{"absolute", "chain", "relative", "sub", "t"}));
}
