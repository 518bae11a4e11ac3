// Waiting for a started child, the conveniences built on the launcher, and
// elevation.
#include <csignal>
#include <cstdarg>

#include "lib1/io/FdIo.h"
#include "lib1/loc/LString.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/os/LaunchProcess.h"
#include "lib1/os/ModuleFileName.h"
#include "lib1/os/unix/FdUtil.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"

namespace os {

LaunchProcess::Monitor::Monitor(int pid, WaitCallback* cb, const char* childName)
    : child(pid), name(childName), callback(cb) {
  SignalHandler::getInstance()->setCallback_(SIGCHLD, this, true);
}

LaunchProcess::Monitor::~Monitor() {
  SignalHandler::getInstance()->setCallback_(SIGCHLD, this, false);
}

void LaunchProcess::Monitor::handleSignal(int) {
  try {
    int status = 0;
    if (child.waitpid(&status, true, name.get()) && callback)
      callback->processExited(this, exitCodeOf(status));
  } catch (plat::Exception& e) {
    launchLog().error("%s", e.str());
  }
}

void LaunchProcess::Monitor::killOrCancel(int sig) {
  if (child.pid < 0) return;
  try {
    signalPid(child.pid, sig);
  } catch (plat::Exception& e) {
    launchLog().error("%s", e.str());
    callback = nullptr;
    abandonPid(child.pid);
    child.pid = -1;
  }
}

io::FdIo* LaunchProcess::startWithPipe() {
  int fd = redirectStdinAndStdout();
  try {
    start();
  } catch (plat::Exception&) {
    fdClose(fd);
    throw;
  }
  return new io::FdIo(fd, true, false, -1, -1, true);
}

bool LaunchProcess::waitTimed(int* exitCode, int timeoutMs) {
  if (child_.pid < 0) throw plat::Exception("LaunchProcess: process detached or not started");
  int status = 0;
  if (!child_.wait(&status, timeoutMs, name())) return false;
  if (exitCode) *exitCode = exitCodeOf(status);
  return true;
}

LaunchProcess::Monitor* LaunchProcess::waitAsync(WaitCallback* callback) {
  if (child_.pid < 0) throw plat::Exception("LaunchProcess: process detached or not started");
  auto* monitor = new Monitor(child_.pid, callback, name());
  child_.pid = -1;
  dl_ = DetachFully;
  return monitor;
}

namespace {

std::vector<plat::String> argList(const char* program, va_list ap) {
  std::vector<plat::String> args;
  for (const char* a = program; a; a = va_arg(ap, const char*)) args.emplace_back(a);
  return args;
}

}  // namespace

int LaunchProcess::system(const std::vector<plat::String>& args) {
  LaunchProcess p(args, DetachNone);
  p.start();
  int code = -1;
  p.waitTimed(&code, -1);
  return code;
}

int LaunchProcess::system(const char* program, ...) {
  va_list ap;
  va_start(ap, program);
  std::vector<plat::String> args = argList(program, ap);
  va_end(ap);
  return system(args);
}

void LaunchProcess::startDetached(const char* program, ...) {
  va_list ap;
  va_start(ap, program);
  LaunchProcess p(argList(program, ap), DetachFully);
  va_end(ap);
  p.start();
}

int LaunchProcess::pipeToDetached(const char* program, ...) {
  va_list ap;
  va_start(ap, program);
  LaunchProcess p(argList(program, ap), DetachFully);
  va_end(ap);
  int childFd = 0;
  int fd = p.redirectPipe(true, &childFd);
  try {
    p.start();
  } catch (plat::Exception&) {
    fdClose(fd);
    throw;
  }
  return fd;
}

bool LaunchProcess::elevate(const char* reason) {
  plat::DString name;
  name.prf("%s/%selevate", getPathComponent(), getPathComponent());
  ModuleFileName beside(name.get(), false, false);
  plat::DString program;
  if (beside.get())
    program.append(beside.get());
  else
    program.prf("%s/%selevate", etcZemDir.get(), getPathComponent());

  loc::LString title;
  if (reason) {
    // The title is a format for the elevation program, which fills in its
    // "%s": a "%" of the reason must reach it as a literal.
    plat::DString escaped;
    escaped.append(reason);
    escaped.replace("%", "%%");
    title.xprintf(loc::localize(loc::msgid_t("os_unixelevation_title"), nullptr, 0, true),
                  escaped.get());
  } else {
    title.append("%s");
  }
  std::vector<plat::String> args{program.get(), title.get()};
  args.insert(args.end(), args_.begin(), args_.end() - 1);
  setArgs(args);
  start();
  return true;
}

}  // namespace os
