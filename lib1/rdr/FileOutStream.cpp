#include "lib1/rdr/FileOutStream.h"

#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"

namespace rdr {

PLAT_LOG_WRITER(vlog, "FileOutStream");

FileOutStream::FileOutStream(const char* name, bool binaryMode, bool append)
    : BufferedNBOutStream(DEFAULT_BUF_SIZE) {
  if (name) open(name, binaryMode, append);
}

FileOutStream::FileOutStream(FILE* f, bool own) : BufferedNBOutStream(DEFAULT_BUF_SIZE) {
  setFilePtr(f, own);
}

FileOutStream::~FileOutStream() {
  try {
    flush(!nonBlockingFlush);
  } catch (plat::Exception& e) {
    vlog().error("%s", e.str());
  }
}

void FileOutStream::open(const char* name, bool binaryMode, bool append) {
  file.open(name, append ? plat::FilePtr::Append : plat::FilePtr::Write, binaryMode);
}

void FileOutStream::setFilePtr(FILE* f, bool own) { file.replacePtr(f, own); }

int FileOutStream::write(const void* data, int length, bool) {
  if (!file.get()) throw plat::Exception("FileOutStream: no file open");
  if (fwrite(data, size_t(length), 1, file) != 1)
    throw plat::StdlibException("writing to file failed");
  return length;
}

}  // namespace rdr
