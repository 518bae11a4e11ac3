#include "lib2/plat/LoggerFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "lib1/os/HostEnv.h"
#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Dir.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Path.h"
#include "lib1/plat/String.h"
#include "lib1/plat/Time.h"

namespace plat {

static BoolParameter compactLogParam(
    "CompactLog",
    "Whether to produce more compact logging lines for readability.  Also produces times in "
    "local timezone instead of UTC",
    false, true, nullptr);

namespace {

// Shared by every destination, owned here until exit.
String& versionText() {
  static String text;
  return text;
}
bool redirectStderr = false;

const char* computerName() {
  static os::ComputerName name;
  return name.get() ? name.get() : "";
}

}  // namespace

Logger_file::Logger_file(const char* destName, const char* appName, FILE* stream)
    : Logger(destName), appName_(appName ? appName : "") {
  // Logging a close failure would come back through this very destination.
  file_.logCloseErrors = false;
  setFile(stream);
}

Logger_file::~Logger_file() = default;

void Logger_file::setFile(FILE* stream) {
  file_.replacePtr(stream, false);
  filename_ = nullptr;
  versionWritten_ = false;
}

void Logger_file::setFilename(const char* path) {
  const char* current = filename_.get();
  if (current == path || (current && path && strcmp(current, path) == 0)) return;
  file_.replacePtr(nullptr, false);
  filename_ = path;
  versionWritten_ = false;
}

void Logger_file::setVersionInfo(const char* text) {
  String& stored = versionText();
  const char* old = stored.get();
  if (old == text || (old && text && strcmp(old, text) == 0)) return;
  stored = text;
}

void Logger_file::redirectStderrToFile(bool redirect) { redirectStderr = redirect; }

void Logger_file::writeVersionInfo() {
  const char* text = versionText().get();
  if (!text || versionWritten_ || !file_.get()) return;
  DString wrapped;
  wrapped.prf("%s", text);
  wrapped.wordWrap(79, 0);
  fprintf(file_.get(), "%s\n", wrapped.get());
  versionWritten_ = true;
}

bool Logger_file::openFile() {
  const char* path = filename_.get();
  if (!path || !*path) return false;
  try {
    mkPath(DirName(path).get(), true, false);
  } catch (Exception&) {
    return false;
  }
  DString backup;
  backup.prf("%s.bak", path);
  // A log that cannot be moved aside is kept and added to, never truncated.
  bool keepOld = rename(path, backup.get()) != 0 && errno != ENOENT;
  try {
    file_.open(path, keepOld ? FilePtr::Append : FilePtr::Write);
  } catch (Exception&) {
    return false;
  }
  if (redirectStderr) dup2(fileno(file_.get()), 2);
  return true;
}

void Logger_file::rotate() {
  if (filename_.isNull() || !file_.get()) return;
  struct stat open, named;
  if (fstat(fileno(file_.get()), &open) != 0) return;
  if (stat(filename_.get(), &named) == 0 && named.st_dev == open.st_dev &&
      named.st_ino == open.st_ino)
    return;
  file_.replacePtr(nullptr, false);
  openFile();
  versionWritten_ = false;
}

void Logger_file::write(int level, const char* logName, const char* text) {
  if (!file_.get() && !openFile()) return;
  writeVersionInfo();
  long long now = getCalendarTime();
  int ms = int((now / 10000) % 1000);
  TimeStr when;
  FILE* f = file_.get();
  if (compactLogParam.getValue()) {
    LocalTm tm(now);
    when.init("%H:%M:%S", &tm);
    fprintf(f, "%s.%03d %s: %s\n", when.get(), ms, logName, text);
  } else {
    UtcTm tm(now);
    when.init("%Y-%m-%dT%H:%M:%S", &tm);
    int priority = 11 + (level >= 1) + (level >= 6) + (level >= 11) + (level >= 31);
    fprintf(f, "<%d> %s.%03dZ %s %s[%llu]: %s: %s\n", priority, when.get(), ms, computerName(),
            appName_.get(), (unsigned long long)getpid(), logName, text);
  }
  fflush(f);
}

}  // namespace plat
