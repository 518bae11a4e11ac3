#include "lib1/rdr/OutStream.h"

#include <cstring>

#include "lib1/plat/Assert.h"

namespace rdr {

OutStream::~OutStream() = default;

void OutStream::writeBytes(const void* data, int length) {
  const unsigned char* p = static_cast<const unsigned char*>(data);
  while (length > 0) {
    int n = int(end - ptr);
    if (n == 0) n = overrun(1, length);
    if (n > length) n = length;
    memcpy(ptr, p, n);
    ptr += n;
    p += n;
    length -= n;
  }
}

int OutStream::unflushedBytes() {
  OutStream* flushing = getFlushingStream();
  return flushing == this ? 0 : flushing->unflushedBytes();
}

void OutStream::skip(int n) {
  while (n > 0) {
    int step = int(end - ptr);
    if (step == 0) step = overrun(1, n);
    if (step > n) step = n;
    ptr += step;
    n -= step;
  }
}

void OutStream::setPtr(unsigned char* p) {
  PLAT_ASSERT(p >= ptr && p <= end);
  ptr = p;
}

void OutStream::writeShortString(const char* s) {
  size_t len = strlen(s);
  if (len > 255) len = 255;
  writeU8(unsigned(len));
  writeBytes(s, int(len));
}

void OutStream::writeLongString(const char* s, int length) {
  PLAT_ASSERT(length >= 0);
  int len = int(strlen(s));
  if (length != 0 && length < len) len = length;
  writeU32(uint32_t(len));
  writeBytes(s, len);
}

}  // namespace rdr
