// The tool as a process: how it starts, what it writes, how it ends, and the
// per-user folders it makes.
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/Fixture.h"

namespace e2e {
namespace {

// The mode bits and the owner of a folder, "missing" when it is not there.
std::string modeAndOwner(const std::string& path) {
  struct stat st;
  if (lstat(path.c_str(), &st) != 0) return "missing";
  char text[64];
  snprintf(text, sizeof text, "%04o uid %u", st.st_mode & 07777, st.st_uid);
  return text;
}

// The lines of text, split at line feeds.
std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  for (size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    out.push_back(text.substr(start, end - start));
  }
  return out;
}

// A person starts it without arguments and closes it with the window
// manager's close button: the window comes and goes, and the tool ends well
// without a word of error.
TEST_F(E2e, StartsAndClosesThroughTheWindowManagerWithStatusZero) {
  tool.start({}, false);
  Window main = 0;
  ASSERT_TRUE(tool.waitUntil([&] { return (main = desktop.findByName("Zem Grantwell")) != 0; },
                             "a window named Zem Grantwell"));
  desktop.closeThroughWindowManager(main);
  EXPECT_EQ(tool.waitExit(), 0);
  EXPECT_EQ(tool.tool().out(), "");
  EXPECT_EQ(tool.tool().err().find(": grantwell"), std::string::npos) << tool.tool().err();
}

// Standard error then holds the version header, and one error line after
// it, in the log's form "<11> <time> <host> grantwell[<pid>]: grantwell: ...".
TEST_F(E2e, StopsWithStatusOneAndOneErrorLineOnABadStart) {
  // Nothing writes into the pipe: a tool that opened it as a file would
  // wait for ever, showing nothing and saying nothing.
  std::string pipe = tool.home() + "/.zem/config.d/grantwell";
  struct Row {
    const char* name;
    std::vector<std::string> args;
    const char* display;  // "": the desktop's
    std::string message;
    bool pipeForPreferences;  // last, as it stays
  } rows[] = {
      {"an argument naming no parameter", {"foo=bar"}, "", "Bad argument 'foo=bar'.", false},
      {"a request for help", {"-help"}, "", "Bad argument '-help'.", false},
      {"no display", {}, ":nonexistent", "unable to open display \":nonexistent\"", false},
      {"a named pipe for its preferences",
       {},
       "",
       "Error reading " + pipe + ": fileOpen(" + pipe + "): a named pipe, not a regular file",
       true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    if (r.pipeForPreferences) {
      for (const std::string& dir : {tool.home() + "/.zem", tool.home() + "/.zem/config.d"}) {
        mkdir(dir.c_str(), 0700);
        ASSERT_EQ(chown(dir.c_str(), tool.user(), tool.user()), 0);
      }
      ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
      ASSERT_EQ(chown(pipe.c_str(), tool.user(), tool.user()), 0);
    }
    tool.start(r.args, false, r.display);
    EXPECT_EQ(tool.waitExit(), 1);
    EXPECT_EQ(tool.tool().out(), "");
    std::vector<std::string> err = lines(tool.tool().err());
    std::vector<std::string> errors;
    for (const std::string& l : err)
      if (l.find(": grantwell: ") != std::string::npos) errors.push_back(l);
    ASSERT_EQ(errors.size(), 1u) << tool.tool().err();
    EXPECT_EQ(errors[0].substr(0, 5), "<11> ");
    EXPECT_EQ(errors[0].substr(errors[0].size() - r.message.size()), r.message);
    EXPECT_EQ(errors[0].find("grantwell[" + std::to_string(tool.tool().pid()) + "]: "),
              errors[0].find("grantwell["))
        << errors[0];
    EXPECT_EQ(err.front().rfind("Zem(R) Grantwell ", 0), 0u) << "the version header first";
    EXPECT_EQ(err.back(), errors[0]);
  }
  desktop.drainEvents();
  EXPECT_EQ(desktop.windowsCreated(), 0) << "no window";
}

// "$HOME/.zem" and its "config.d" are the user's alone, whether the tool
// makes them or finds them open to others.
TEST_F(E2e, MakesItsPerUserFoldersOwnerOnly) {
  struct Row {
    const char* name;
    mode_t existing;  // 0: not there yet
  } rows[] = {{"none yet", 0}, {"open to others", 0755}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::string zem = tool.home() + "/.zem", config = zem + "/config.d";
    std::filesystem::remove_all(zem);
    if (r.existing) {
      for (const std::string& dir : {zem, config}) {
        ASSERT_EQ(mkdir(dir.c_str(), r.existing), 0);
        chmod(dir.c_str(), r.existing);
        ASSERT_EQ(chown(dir.c_str(), tool.user(), tool.user()), 0);
      }
    }
    ASSERT_TRUE(startShown());
    std::string expected = "0700 uid " + std::to_string(tool.user());
    for (const std::string& dir : {zem, config}) EXPECT_EQ(modeAndOwner(dir), expected) << dir;
    closeAndExpectStatusZero();
  }
}

}  // namespace
}  // namespace e2e
