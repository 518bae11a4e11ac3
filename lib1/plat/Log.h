// Logging: sources (LogWriter, one per source file) and destinations (Logger,
// such as "stderr" and "file"). The `Log` setting decides which source writes
// to which destination, up to which level.
//
// Writers and destinations are usually static objects, built in no particular
// order before main. Both list heads are constant-initialised, and a writer
// whose constructor has not run yet reads as silent (no logger), so logging
// during static initialisation is safe.
#pragma once

#include <cstdarg>
#include <cstdio>

namespace plat {

class Logger {
 public:
  explicit Logger(const char* name);  // name is borrowed: pass a literal
  virtual ~Logger();

  // Outputs one finished message: one line, no line break of its own.
  virtual void write(int level, const char* logName, const char* text) = 0;

  // Formats into a 4096-byte line (cut on a character boundary) and escapes
  // it with "~" when it holds a control character, "~" or invalid UTF-8.
  void vprf(int level, const char* logName, const char* format, va_list args)
      __attribute__((format(printf, 4, 0)));

  static Logger* getLogger(const char* name);  // ignoring case; null if none
  static void listLoggers(FILE* out);

  const char* name;
  Logger* next = nullptr;

  static Logger* head;
};

class LogWriter {
 public:
  enum Level { LEVEL_ERROR = 0, LEVEL_INFO = 30, LEVEL_DEBUG = 100, LEVEL_DEBUGPLUS = 110 };

  explicit LogWriter(const char* name);  // name is borrowed: pass a literal
  virtual ~LogWriter();

  virtual void setLoggerAndLevel(Logger* logger, int level);

  bool enabled(int lvl) const { return logger && level >= lvl; }

  // The level test is inline so that a message that is not let through costs
  // one comparison and no formatting. A function that takes "..." is never
  // inlined by itself; GCC can inline one that hands its arguments on with
  // __builtin_va_arg_pack, so the test stays at the call site there.
#if defined(__GNUC__) && !defined(__clang__)
  __attribute__((always_inline, format(printf, 3, 4))) void write(int lvl, const char* format,
                                                                  ...) {
    if (enabled(lvl)) writeLine(lvl, format, __builtin_va_arg_pack());
  }
#define PLAT_LOG_AT(fn, LVL)                                                              \
  __attribute__((always_inline, format(printf, 2, 3))) void fn(const char* format, ...) { \
    if (enabled(LVL)) writeLine(LVL, format, __builtin_va_arg_pack());                    \
  }
#else
  void write(int lvl, const char* format, ...) __attribute__((format(printf, 3, 4))) {
    if (!enabled(lvl)) return;
    va_list args;
    va_start(args, format);
    vprf(lvl, format, args);
    va_end(args);
  }
#define PLAT_LOG_AT(fn, LVL)                                               \
  void fn(const char* format, ...) __attribute__((format(printf, 2, 3))) { \
    if (!enabled(LVL)) return;                                             \
    va_list args;                                                          \
    va_start(args, format);                                                \
    vprf(LVL, format, args);                                               \
    va_end(args);                                                          \
  }
#endif
  PLAT_LOG_AT(error, LEVEL_ERROR)
  PLAT_LOG_AT(info, LEVEL_INFO)
  PLAT_LOG_AT(debug, LEVEL_DEBUG)
  PLAT_LOG_AT(debugplus, LEVEL_DEBUGPLUS)
#undef PLAT_LOG_AT

  // The out-of-line rest of a call that passed the level test.
  void writeLine(int lvl, const char* format, ...) __attribute__((format(printf, 3, 4)));

  void vprf(int lvl, const char* format, va_list args) __attribute__((format(printf, 3, 0)));

  static LogWriter* getLogWriter(const char* name);  // ignoring case; null if none
  // All source names separated by ", ", wrapped at width columns.
  static void listLogWriters(int width, FILE* out);

  // Applies one element "<pattern>:<destination>:<level>" of the `Log`
  // setting to every source whose name matches the pattern (with "*",
  // ignoring case). A malformed element is reported on standard error and
  // changes nothing; an unknown destination is reported and silences the
  // matching sources.
  static void setLogParamElement(const char* element);
  // Silences every source, then applies the elements of `Log` left to right.
  static void refreshLogSetting();

  const char* name;
  int level = 0;
  Logger* logger = nullptr;
  LogWriter* next = nullptr;

  static LogWriter* head;
};

}  // namespace plat

// Defines the log writer of a source file as the function fn, in the file's
// own scope: PLAT_LOG_WRITER(vlog, "FdOutStream"); then vlog().error(...).
// The writer is built on first use and never destroyed, so static
// constructors and destructors of any file may log through it; it is also
// built before main, so that the `Log` setting and the writer list see it.
#define PLAT_LOG_WRITER(fn, NAME)                                     \
  static plat::LogWriter& fn() {                                      \
    static plat::LogWriter* const writer = new plat::LogWriter(NAME); \
    return *writer;                                                   \
  }                                                                   \
  [[maybe_unused]] static plat::LogWriter& fn##BuiltBeforeMain = fn()
