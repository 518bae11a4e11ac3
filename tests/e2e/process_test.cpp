// The tool as a process: how it starts, what it writes, how it ends, and the
// per-user folders it makes.
#include <sys/stat.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
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

// Expects the tool to end with status 1, nothing on standard output, and
// on standard error the version header and one error line after it, in the
// log's form "<11> <time> <host> grantwell[<pid>]: grantwell: ...", whose
// message ends in message (at the end, or anywhere in it without atEnd).
void expectStatusOneAndOneErrorLine(Session& tool, const std::string& message, bool atEnd) {
  EXPECT_EQ(tool.waitExit(), 1);
  EXPECT_EQ(tool.tool().out(), "");
  std::vector<std::string> err = lines(tool.tool().err());
  std::vector<std::string> errors;
  for (const std::string& l : err)
    if (l.find(": grantwell: ") != std::string::npos) errors.push_back(l);
  ASSERT_EQ(errors.size(), 1u) << tool.tool().err();
  const std::string& line = errors[0];
  EXPECT_EQ(line.substr(0, 5), "<11> ");
  if (atEnd)
    EXPECT_EQ(line.substr(line.size() - std::min(line.size(), message.size())), message);
  else
    EXPECT_NE(line.find(": grantwell: " + message), std::string::npos) << line;
  EXPECT_EQ(line.find("grantwell[" + std::to_string(tool.tool().pid()) + "]: "),
            line.find("grantwell["))
      << line;
  EXPECT_EQ(err.front().rfind("Zem(R) Grantwell ", 0), 0u) << "the version header first";
  EXPECT_EQ(err.back(), line);
}

// Standard error then holds the version header, and one error line after it.
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
    expectStatusOneAndOneErrorLine(tool, r.message, true);
  }
  desktop.drainEvents();
  EXPECT_EQ(desktop.windowsCreated(), 0) << "no window";
}

// A HOME where the per-user folder cannot be made fails before the log is
// set up; the reason is told all the same.
TEST_F(E2e, SaysWhyWhenItsPerUserFolderCannotBeMade) {
  struct Row {
    const char* name;
    std::function<void(const std::string& home)> spoil;
  } rows[] = {
      {".zem a plain file", [](const std::string& home) { std::ofstream(home + "/.zem"); }},
      {"HOME not writable", [](const std::string& home) { chmod(home.c_str(), 0500); }},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::filesystem::remove_all(tool.home() + "/.zem");
    r.spoil(tool.home());
    tool.start({}, false);
    expectStatusOneAndOneErrorLine(tool, "mkDir(" + tool.home() + "/.zem): ", false);
    chmod(tool.home().c_str(), 0700);
    std::filesystem::remove_all(tool.home() + "/.zem");
  }
  desktop.drainEvents();
  EXPECT_EQ(desktop.windowsCreated(), 0) << "no window";
}

// As "xdotool windowclose" does it: with its window gone the tool has nothing
// to show, and ends as on any failure, with no second error on the way.
TEST_F(E2e, StopsWithStatusOneAndOneErrorLineWhenAnotherClientDestroysItsWindow) {
  ASSERT_TRUE(startShown());
  XDestroyWindow(desktop.dpy(), tool.mainWindow());
  XSync(desktop.dpy(), False);
  EXPECT_EQ(tool.waitExit(), 1);
  EXPECT_EQ(tool.tool().out(), "");
  std::vector<std::string> errors;
  for (const std::string& l : lines(tool.tool().err()))
    if (l.rfind("<11> ", 0) == 0) errors.push_back(l);
  ASSERT_EQ(errors.size(), 1u) << tool.tool().err();
  const std::string said = ": grantwell: main window destroyed by another X client";
  EXPECT_EQ(errors[0].substr(errors[0].size() - std::min(errors[0].size(), said.size())), said);
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
