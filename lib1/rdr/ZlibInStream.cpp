#include "lib1/rdr/ZlibInStream.h"

#include <zlib.h>

#include <climits>
#include <cstring>

#include "lib1/rdr/Exceptions.h"

namespace rdr {

ZlibInStream::ZlibInStream(int bufSize_, bool gzip_)
    : bufSize(bufSize_ == 0 ? DEFAULT_BUF_SIZE : bufSize_), gzip(gzip_) {
  zs = new z_stream;
  memset(zs, 0, sizeof(*zs));
  int rc = gzip ? inflateInit2(zs, -15) : inflateInit(zs);
  if (rc != Z_OK) {
    delete zs;
    throw plat::Exception("ZlibInStream: inflateInit failed");
  }
  start = new unsigned char[bufSize];
  ptr = end = checkpointPtr = start;
}

ZlibInStream::~ZlibInStream() {
  delete[] start;
  inflateEnd(zs);
  delete zs;
}

int ZlibInStream::pos() {
  long long p = offset + (ptr - start);
  return p > INT_MAX ? INT_MAX : int(p);
}

void ZlibInStream::setUnderlying(InStream* is, int bytesIn_) {
  underlying = is;
  bytesIn = uint32_t(bytesIn_);
  ptr = end = checkpointPtr = start;
  if (gzip) skipGzipHeader(is);
  is->checkpoint();
}

void ZlibInStream::skipGzipHeader(InStream* is) {
  unsigned magic = is->readU16();
  unsigned method = is->readU8();
  if (magic != 0x1f8b || method != 8) throw plat::Exception("Bad gzip header");
  unsigned flags = is->readU8();
  is->skip(6);  // modification time, extra flags, operating system
  if (flags & 4) {
    unsigned lo = is->readU8();
    unsigned hi = is->readU8();
    is->skip(int(hi << 8 | lo));
  }
  if (flags & 8)
    while (is->readU8() != 0) {
    }
  if (flags & 16)
    while (is->readU8() != 0) {
    }
  if (flags & 2) is->skip(2);  // the header CRC is not checked
}

bool ZlibInStream::overrun(int itemSize) {
  keepFromCheckpoint(start, &offset);
  if (!underlying) throw plat::Exception("ZlibInStream overrun: no underlying stream");
  int room = int(start + bufSize - ptr);
  int want = itemSize < room ? itemSize : room;
  while (end - ptr < want)
    if (!decompress()) return false;
  return true;
}

bool ZlibInStream::decompress() {
  if (bytesIn == 0) throw plat::Exception("ZlibInStream: exceeded bytesIn");
  // Past the end of the deflate data the rest of the input (a gzip trailer,
  // say) would never be consumed: end the stream instead of inflating again
  // and again.
  if (streamEnded) throw EndOfStream();
  unsigned char* out = start + (end - start);
  zs->next_out = out;
  zs->avail_out = unsigned(start + bufSize - out);
  if (underlying->ptr >= underlying->end && !underlying->overrunOrRewind(false, 1)) return false;
  size_t available = size_t(underlying->end - underlying->ptr);
  if (bytesIn != UINT32_MAX && available > bytesIn) available = bytesIn;
  zs->next_in = const_cast<unsigned char*>(underlying->ptr);
  zs->avail_in = unsigned(available);
  int rc = inflate(zs, Z_SYNC_FLUSH);
  if (rc != Z_OK && rc != Z_STREAM_END) throw plat::Exception("ZlibInStream: inflate failed");
  if (rc == Z_STREAM_END) streamEnded = true;
  size_t consumed = available - zs->avail_in;
  if (bytesIn != UINT32_MAX) bytesIn -= uint32_t(consumed);
  end = zs->next_out;
  underlying->setPtr(underlying->ptr + consumed);
  underlying->checkpoint();
  return true;
}

void ZlibInStream::discard() {
  ptr = end = checkpointPtr = start;
  if (!underlying) return;
  if (!decompress()) throw BlockException();
  end = start;
}

}  // namespace rdr
