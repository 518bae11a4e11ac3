// plat::Logger_file: the "stderr" and "file" log destinations. Each line
// carries a syslog-style priority, a UTC time stamp, the host, the
// application and the process id, or with CompactLog on, local time and the
// source alone. The version text heads every stream the destination opens
// or is given, once.
//
// A destination with a path opens it at its first line, moving any earlier
// file to the path with ".bak" added, so a run keeps exactly one previous
// log. When that move fails for a reason other than a missing file, the old
// log is appended to rather than truncated: it is never destroyed.
//
// The host name comes from the identity library, which stands above the
// platform library's core; so this class lives here, above both.
#pragma once

#include "lib1/plat/FilePtr.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/String.h"

namespace plat {

class StringParameter;
// The directory and name of the log file; an absolute LogFile ignores LogDir.
extern StringParameter logDirParam;
extern StringParameter logFileParam;

class Logger_file : public Logger {
 public:
  // name is borrowed (a literal); appName is copied; stream is borrowed.
  Logger_file(const char* name, const char* appName, FILE* stream);
  ~Logger_file() override;

  // Takes stream as borrowed and forgets the path.
  void setFile(FILE* stream);
  // The file is opened at the next line; the same path changes nothing.
  void setFilename(const char* path);
  const char* getFilename() const { return filename_.get(); }

  static void setVersionInfo(const char* text);
  static void redirectStderrToFile(bool redirect);

  void writeVersionInfo();
  bool openFile();
  // Reopens the file when its path no longer names the open file.
  void rotate();

  void write(int level, const char* logName, const char* text) override;

 private:
  String filename_;
  String appName_;
  FilePtr file_;
  bool versionWritten_ = false;
};

// The destinations are built on the first call and live until exit.
void initStderrLogger(const char* appName);
void initFileLogger(const char* appName);
// False closes the log file and drops lines; true recomputes the path from
// LogDir and LogFile. Requires initFileLogger.
void enableFileLogger(bool enable);
void rotateFileLogger();

}  // namespace plat
