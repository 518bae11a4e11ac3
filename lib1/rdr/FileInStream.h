// An input stream over a C stream, read strictly forward (not rewindable).
// A stream built without a file fails on its first read with a clear error.
#pragma once

#include <cstdio>

#include "lib1/plat/FilePtr.h"
#include "lib1/rdr/BufferedInStream.h"

namespace rdr {

class FileInStream : public BufferedInStream {
 public:
  explicit FileInStream(const char* name = nullptr, bool binaryMode = false);
  FileInStream(FILE* f, bool own);

  void open(const char* name, bool binaryMode = false);
  void setFilePtr(FILE* f, bool own);

  plat::FilePtr file;

 protected:
  int read(void* buf, int len) override;
};

}  // namespace rdr
