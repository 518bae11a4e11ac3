#include "lib2/plat/LoggerFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "lib1/plat/StringParameter.h"
#include "tests/support/Failure.h"
#include "tests/support/TempDir.h"

using namespace plat;
using namespace gwtest;

namespace {

struct LogFile : testing::Test {
  TempDir dir;
  std::string path = dir.file("logs/app.log");
  Logger_file dest{"testfile", "grantwell", nullptr};

  LogFile() {
    Logger_file::setVersionInfo("Grantwell 1.0");
    dest.setFilename(path.c_str());
  }
  ~LogFile() override { Logger_file::setVersionInfo(nullptr); }
  // One run of the program: a fresh destination writing one line.
  void run(const char* text) {
    Logger_file again("testrun", "grantwell", nullptr);
    again.setFilename(path.c_str());
    again.write(0, "Test", text);
  }
};

}  // namespace

TEST_F(LogFile, LevelsMapToSyslogPriorities) {
  for (int level : {-5, 0, 5, 10, 30, 31, 100}) dest.write(level, "Test", "x");
  std::string text = readFile(path), seen;  // the version text first
  for (size_t at = text.find('\n') + 1; at < text.size(); at = text.find('\n', at) + 1)
    seen += text.substr(at, 4);
  EXPECT_EQ(seen, "<11><11><12><13><14><15><15>");
  EXPECT_NE(text.find(" grantwell[" + std::to_string(getpid()) + "]: Test: x\n"),
            std::string::npos);
}

TEST_F(LogFile, DirectoryIsPrivateAndVersionHeadsFileOnce) {
  dest.write(0, "Test", "one");
  dest.setFilename(path.c_str());  // the same path: nothing reopens
  dest.write(0, "Test", "two");
  std::string text = readFile(path);
  EXPECT_EQ(text.rfind("Grantwell 1.0\n<11> ", 0), 0u);
  EXPECT_EQ(text.find("Grantwell", 1), std::string::npos);
  struct stat st;
  ASSERT_EQ(stat(dir.file("logs").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(LogFile, SecondRunKeepsExactlyOneBackup) {
  for (const char* text : {"first", "second", "third"}) run(text);
  EXPECT_EQ(readFile(path + ".bak").find("first"), std::string::npos);
  EXPECT_NE(readFile(path + ".bak").find("second"), std::string::npos);
  EXPECT_EQ(readFile(path + ".bak.bak"), "(missing)");
}

// A non-empty directory under the backup name makes the move fail.
TEST_F(LogFile, LogThatCannotBeMovedAsideIsAppendedTo) {
  run("first");
  mkdir((path + ".bak").c_str(), 0700);
  dir.write("logs/app.log.bak/x", "");
  run("second");
  EXPECT_NE(readFile(path).find("first\n"), std::string::npos);
  EXPECT_NE(readFile(path).find("second\n"), std::string::npos);
}

TEST(FileLogger, PathFollowsParameters) {
  initFileLogger("grantwell");
  auto* file = static_cast<Logger_file*>(Logger::getLogger("file"));
  // LogDir, LogFile, path
  const char* rows[][3] = {{"/var/log", "g.log", "/var/log/g.log"},
                           {"/var/log/", "g.log", "/var/log/g.log"},
                           {"/var/log", "/abs/g.log", "/abs/g.log"},
                           {"", "g.log", "/g.log"}};
  for (const auto& r : rows) {
    logDirParam.setParam(r[0], 50);
    logFileParam.setParam(r[1], 50);
    EXPECT_STREQ(file->getFilename(), r[2]);
  }
  unsetenv("GW_UNSET");
  EXPECT_EQ(failureOf([] { logDirParam.setParam("$GW_UNSET", 50); }),
            "unknown environment variable: GW_UNSET");
  EXPECT_STREQ(file->getFilename(), "/g.log");
  enableFileLogger(false);
  EXPECT_EQ(file->getFilename(), nullptr);
}
