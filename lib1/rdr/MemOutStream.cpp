#include "lib1/rdr/MemOutStream.h"

#include <climits>
#include <cstring>

#include "lib1/plat/DString.h"
#include "lib1/rdr/Exceptions.h"

namespace rdr {

MemOutStream::MemOutStream(int initialSize, int maxLength)
    : capacity(initialSize < 0 ? 256 : initialSize) {
  start = new unsigned char[capacity];
  ptr = start;
  setMaxLen(maxLength);
}

MemOutStream::~MemOutStream() { delete[] start; }

int MemOutStream::nonBlockingBytes() { return maxLen == 0 ? INT_MAX : maxLen - length(); }

void MemOutStream::setMaxLen(int limit) {
  maxLen = limit;
  end = start + (maxLen != 0 && maxLen < capacity ? maxLen : capacity);
}

void MemOutStream::writeBytes(const void* data, int len) {
  if (len <= 0) return;
  if (end - ptr < len) overrun(len, 1);
  memcpy(ptr, data, len);
  ptr += len;
}

int MemOutStream::overrun(int itemSize, int nItems) {
  long long used = length();
  if (maxLen != 0 && used + itemSize > maxLen) throw OutStreamFull();
  long long wanted = used + (long long)itemSize * nItems;
  long long newCap = 2LL * capacity > wanted ? 2LL * capacity : wanted;
  if (maxLen != 0 && newCap > maxLen) newCap = maxLen;
  // The block is counted in an int: a stream cannot hold 2 GiB.
  if (newCap > INT_MAX - 1) {
    if (used + itemSize > INT_MAX - 1) throw OutStreamFull();
    newCap = INT_MAX - 1;
  }
  unsigned char* grown = new unsigned char[newCap];
  if (used) memcpy(grown, start, size_t(used));
  delete[] start;
  start = grown;
  ptr = start + used;
  capacity = int(newCap);
  setMaxLen(maxLen);
  int fit = int((end - ptr) / itemSize);
  return fit < nItems ? fit : nItems;
}

void MemOutStream::reset() {
  start = ptr = end = nullptr;
  capacity = 0;
}

unsigned char* MemOutStream::takeBuf() {
  unsigned char* block = start;
  reset();
  return block;
}

void MemOutStream::passBufTo(plat::DString* s) {
  int used = length();
  if (used >= capacity) {
    unsigned char* grown = new unsigned char[used + 1];
    if (used) memcpy(grown, start, used);
    delete[] start;
    start = grown;
  }
  start[used] = 0;
  s->adoptBuf(reinterpret_cast<char*>(start), used + 1);
  reset();
}

void MemOutStream::passBufTo(plat::MBuf<unsigned char>* m) {
  m->replace(start, length());
  reset();
}

}  // namespace rdr
