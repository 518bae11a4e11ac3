#include "lib1/plat/Log.h"

#include <strings.h>

#include <cstring>

#include "lib1/plat/SString.h"
#include "lib1/plat/String.h"
#include "lib1/plat/Utf8.h"

namespace plat {

Logger* Logger::head = nullptr;
LogWriter* LogWriter::head = nullptr;

namespace {

template <typename T>
void unlink(T*& head, T* node) {
  for (T** p = &head; *p; p = &(*p)->next) {
    if (*p == node) {
      *p = node->next;
      return;
    }
  }
}

bool needsEscaping(const char* s) {
  for (; *s; s++) {
    unsigned char c = static_cast<unsigned char>(*s);
    if (c < 0x20 || c > 0x7D) return true;
  }
  return false;
}

}  // namespace

Logger::Logger(const char* logName) : name(logName), next(head) { head = this; }

Logger::~Logger() {
  unlink(head, this);
  // A writer must never be left pointing at a destination that is gone.
  for (LogWriter* w = LogWriter::head; w; w = w->next)
    if (w->logger == this) w->setLoggerAndLevel(nullptr, 0);
}

void Logger::vprf(int level, const char* logName, const char* format, va_list args) {
  SString<4096> line;
  line.vprf(format, args);
  if (!needsEscaping(line.get())) {
    write(level, logName, line.get());
    return;
  }
  String escaped = String::adopt(strvisUtf8(line.get(), '~'));
  write(level, logName, escaped.get());
}

Logger* Logger::getLogger(const char* name) {
  if (!name) return nullptr;
  for (Logger* l = head; l; l = l->next)
    if (strcasecmp(l->name, name) == 0) return l;
  return nullptr;
}

void Logger::listLoggers(FILE* out) {
  for (Logger* l = head; l; l = l->next) fprintf(out, "  %s\n", l->name);
}

LogWriter::LogWriter(const char* logName) : name(logName), next(head) { head = this; }

LogWriter::~LogWriter() { unlink(head, this); }

void LogWriter::setLoggerAndLevel(Logger* dest, int lvl) {
  logger = dest;
  level = lvl;
}

void LogWriter::writeLine(int lvl, const char* format, ...) {
  va_list args;
  va_start(args, format);
  vprf(lvl, format, args);
  va_end(args);
}

void LogWriter::vprf(int lvl, const char* format, va_list args) {
  if (logger) logger->vprf(lvl, name, format, args);
}

LogWriter* LogWriter::getLogWriter(const char* name) {
  if (!name) return nullptr;
  for (LogWriter* w = head; w; w = w->next)
    if (strcasecmp(w->name, name) == 0) return w;
  return nullptr;
}

void LogWriter::listLogWriters(int width, FILE* out) {
  fputs("  ", out);
  int room = width - 2;
  for (LogWriter* w = head; w; w = w->next) {
    int len = int(strlen(w->name));
    if (w != head) {
      if (len >= room) {
        fputs(",\n  ", out);
        room = width - 2;
      } else {
        fputs(", ", out);
      }
    }
    fputs(w->name, out);
    room -= len + 2;
  }
  fputs("\n", out);
}

}  // namespace plat
