// plat::FilePtr: holds one C stream, owning it (closing it when replaced or
// destroyed) or borrowing it. The path "-" names standard input or output.
#pragma once

#include <cstdio>

#include "lib1/plat/Forward.h"

namespace plat {

class FilePtr {
 public:
  // ReadRegular reads a file that must be a regular one, opened without
  // waiting (fileOpenNoWait): a configuration or settings file.
  enum Mode {
    Read,
    Write,
    Append,
    ReadAppend,
    ReadWrite,
    ReadWriteCreate,
    ReadWriteTruncate,
    ReadRegular
  };

  explicit FilePtr(FILE* f = nullptr, bool owns = true) : own(owns), file(f) {}
  FilePtr(const char* path, Mode mode, bool binary = false);
  ~FilePtr();
  FilePtr(const FilePtr&) = delete;
  FilePtr& operator=(const FilePtr&) = delete;

  void open(const char* path, Mode mode, bool binary = false);
  // Closes the current stream when owned (a failure is logged, never
  // thrown), then holds f.
  void replacePtr(FILE* f, bool owns);
  void flush();
  // One line of any length, without its line feed; false at end of file.
  bool readLine(DString* line);

  FILE* get() const { return file; }
  operator FILE*() const { return file; }

  bool own;
  bool logCloseErrors = true;
  FILE* file;
};

}  // namespace plat
