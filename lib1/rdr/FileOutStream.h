// An output stream over a C stream, with a fixed 16384-byte buffer. A
// stream built without a file fails when it flushes bytes, with a clear error.
#pragma once

#include <cstdio>

#include "lib1/plat/FilePtr.h"
#include "lib1/rdr/BufferedOutStream.h"

namespace rdr {

class FileOutStream : public BufferedNBOutStream {
 public:
  explicit FileOutStream(const char* name = nullptr, bool binaryMode = false, bool append = false);
  FileOutStream(FILE* f, bool own);
  // Writes out what is buffered. A failure cannot be thrown from here; it is
  // logged, so that a truncated file (or bytes written without a file)
  // leaves a trace. Flush explicitly to learn of it.
  ~FileOutStream() override;

  void open(const char* name, bool binaryMode = false, bool append = false);
  void setFilePtr(FILE* f, bool own);

  using BufferedOutStream::write;

  plat::FilePtr file;

 protected:
  int write(const void* data, int length, bool wait) override;
};

}  // namespace rdr
