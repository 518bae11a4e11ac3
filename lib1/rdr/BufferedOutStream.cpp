#include "lib1/rdr/BufferedOutStream.h"

#include <climits>
#include <cstring>

#include "lib1/plat/Hex.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MaxOutBufferSize.h"

namespace rdr {

BufferedOutStream::BufferedOutStream(int size, int maxSize)
    : bufSize(size < 0 ? DEFAULT_BUF_SIZE : size),
      maxBufSize(maxSize < 0 ? maxOutBufferSize() : maxSize),
      start(new unsigned char[bufSize]) {
  if (maxBufSize < bufSize) maxBufSize = bufSize;
  ptr = sentPtr = start;
  end = start + bufSize;
}

BufferedOutStream::~BufferedOutStream() { delete[] start; }

int BufferedOutStream::length() {
  long long n = offset + (ptr - start);
  return n > INT_MAX ? INT_MAX : int(n);
}

int BufferedOutStream::nonBlockingBytes() {
  long long n = (end - ptr) + (sentPtr - start) + (long long)(maxBufSize - bufSize);
  return n > INT_MAX ? INT_MAX : int(n);
}

int BufferedNBOutStream::nonBlockingBytes() { return INT_MAX; }

bool BufferedOutStream::write(bool wait) {
  int n = write(sentPtr, int(ptr - sentPtr), wait);
  if (n == 0) return false;
  if (hexDumpData) plat::hexDump(" --> ", "     ", sentPtr, n);
  sentPtr += n;
  return true;
}

bool BufferedOutStream::bgFlush(bool wait) {
  while (sentPtr < ptr)
    if (!write(wait)) return false;
  return true;
}

bool BufferedOutStream::flush(bool wait) {
  if (!bgFlush(wait)) return false;
  offset += sentPtr - start;
  ptr = sentPtr = start;
  return true;
}

int BufferedOutStream::overrun(int itemSize, int nItems) {
  if (bufSize == 0) throw OutStreamFull();
  if (itemSize > maxBufSize)
    throw plat::Exception("BufferedOutStream overrun: buffer size exceeded");
  flush(false);
  while ((end - ptr) + (sentPtr - start) < itemSize) {
    if (bufSize < maxBufSize) {
      int newSize = bufSize > maxBufSize / 2 ? maxBufSize : 2 * bufSize;
      unsigned char* grown = new unsigned char[newSize];
      int pending = int(ptr - sentPtr);
      memcpy(grown, sentPtr, pending);
      offset += sentPtr - start;
      delete[] start;
      start = sentPtr = grown;
      ptr = grown + pending;
      end = grown + newSize;
      bufSize = newSize;
    } else {
      write(true);
    }
  }
  if (sentPtr > start) {
    int pending = int(ptr - sentPtr);
    offset += sentPtr - start;
    memmove(start, sentPtr, pending);
    sentPtr = start;
    ptr = start + pending;
  }
  int fit = int(end - ptr) / itemSize;
  return fit < nItems ? fit : nItems;
}

}  // namespace rdr
