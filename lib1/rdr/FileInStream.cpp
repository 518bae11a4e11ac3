#include "lib1/rdr/FileInStream.h"

#include "lib1/rdr/Exceptions.h"

namespace rdr {

FileInStream::FileInStream(const char* name, bool binaryMode) {
  rewindable = false;
  if (name) open(name, binaryMode);
}

FileInStream::FileInStream(FILE* f, bool own) {
  rewindable = false;
  setFilePtr(f, own);
}

void FileInStream::open(const char* name, bool binaryMode) {
  file.open(name, plat::FilePtr::Read, binaryMode);
}

void FileInStream::setFilePtr(FILE* f, bool own) { file.replacePtr(f, own); }

int FileInStream::read(void* buf, int len) {
  if (!file.get()) throw plat::Exception("FileInStream: no file open");
  size_t n = fread(buf, 1, size_t(len), file);
  if (n > 0) return int(n);
  if (feof(file)) throw EndOfStream();
  throw plat::StdlibException("reading from file failed");
}

}  // namespace rdr
