// Starts a program, waits until its window is mapped and painted, saves a
// picture of the window, closes it through the window manager and checks
// that the program ends well. The README's run command uses it to show the
// tool on a display nobody is looking at.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/winshot/ChildProcess.h"
#include "tools/winshot/PaintWatch.h"
#include "tools/winshot/PngFile.h"

namespace {

using winshot::ChildProcess;
using winshot::PaintWatch;
using Clock = PaintWatch::Clock;

// Nothing drawn for this long after the first paint: the window is done.
constexpr auto kQuiet = std::chrono::milliseconds(300);

const char kUsage[] =
    "usage: gw_winshot [--wm] [--timeout SECONDS] NAME PICTURE.png -- PROGRAM [ARG...]\n"
    "Starts PROGRAM on $DISPLAY, waits until its window NAME (the WM_CLASS class\n"
    "or instance name, or WM_NAME) is mapped and painted, saves the window's\n"
    "picture in PICTURE.png, closes the window through the window manager and\n"
    "waits for the program to end. Exit status 0 when the program ended with\n"
    "exit status 0, 1 otherwise, 2 for a bad command line.\n"
    "  --wm               first wait until a window manager frames new windows\n"
    "  --timeout SECONDS  for each wait (default 30)\n";

[[noreturn]] void usage(const char* why) {
  fprintf(stderr, "gw_winshot: %s\n%s", why, kUsage);
  exit(2);
}

// Unwinds, so that a program still running is stopped on the way out.
[[noreturn]] void fail(const std::string& why) { throw std::runtime_error(why); }

int run(int argc, char** argv) {
  bool wm = false;
  int seconds = 30;
  std::vector<std::string> words;
  int i = 1;
  for (; i < argc && strcmp(argv[i], "--") != 0; i++) {
    if (strcmp(argv[i], "--wm") == 0) {
      wm = true;
    } else if (strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
      char* end = nullptr;
      long s = strtol(argv[++i], &end, 10);
      if (*end || s <= 0 || s > 3600) usage("--timeout takes a number of seconds from 1 to 3600");
      seconds = int(s);
    } else if (argv[i][0] == '-') {
      usage((std::string("unknown option ") + argv[i]).c_str());
    } else {
      words.push_back(argv[i]);
    }
  }
  if (words.size() != 2) usage("a window name and a picture file are needed");
  if (i + 1 >= argc) usage("no program after --");
  std::vector<std::string> program(argv + i + 1, argv + argc);
  const std::string& name = words[0];
  const std::string& out = words[1];
  auto timeout = std::chrono::seconds(seconds);

  PaintWatch watch(nullptr);
  if (wm && !watch.waitWindowManager(Clock::now() + timeout))
    fail("no window manager framed a window within " + std::to_string(seconds) + " s");

  ChildProcess child(program);
  auto ended = [&](const char* what) {
    if (auto status = child.wait(Clock::now()))
      fail(program[0] + " ended (" + ChildProcess::describe(*status) + ") " + what);
  };
  if (!watch.waitMapped(name, Clock::now() + timeout, child.endedFd())) {
    ended("before showing its window");
    fail("no window \"" + name + "\" was mapped within " + std::to_string(seconds) + " s");
  }
  winshot::Picture shown = watch.waitSettled(kQuiet, Clock::now() + timeout, child.endedFd());
  if (shown.empty()) {
    ended("before its window was painted");
    fail("the window \"" + name + "\" was not painted within " + std::to_string(seconds) + " s");
  }
  winshot::savePng(shown, out);

  watch.close();
  auto status = child.wait(Clock::now() + timeout);
  if (!status)
    fail(program[0] + " did not end within " + std::to_string(seconds) + " s of being closed");
  if (*status != 0) fail(program[0] + " ended with " + ChildProcess::describe(*status));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& e) {
    fprintf(stderr, "gw_winshot: %s\n", e.what());
    return 1;
  }
}
