#include "lib1/rdr/ZlibInStream.h"

#include <zlib.h>

#include <climits>
#include <cstring>

#include "lib1/rdr/Exceptions.h"

namespace rdr {

void ZlibInStream::InflaterDeleter::operator()(z_stream* zs) const {
  inflateEnd(zs);
  delete zs;
}

ZlibInStream::ZlibInStream(int size, bool gzipMember)
    : bufSize(size == 0 ? DEFAULT_BUF_SIZE : size), gzip_(gzipMember) {
  // Zero-filled, so zlib uses its own allocators. Held from here on, the
  // state is ended and freed whatever throws next (inflateEnd ignores a
  // state whose set-up failed).
  zs_.reset(new z_stream());
  int rc = gzip_ ? inflateInit2(zs_.get(), -15) : inflateInit(zs_.get());
  if (rc != Z_OK) throw plat::Exception("ZlibInStream: inflateInit failed");
  if (bufSize < 0) throw plat::Exception("ZlibInStream: negative buffer size");
  start_.reset(new unsigned char[bufSize]);
  ptr = end = checkpointPtr = start_.get();
}

ZlibInStream::~ZlibInStream() = default;

int ZlibInStream::pos() {
  long long p = offset + (ptr - start_.get());
  return p > INT_MAX ? INT_MAX : int(p);
}

void ZlibInStream::setUnderlying(InStream* is, int budget) {
  underlying = is;
  bytesIn = uint32_t(budget);
  ptr = end = checkpointPtr = start_.get();
  if (gzip_) {
    try {
      skipGzipHeader(is);
    } catch (EndOfStream&) {
      throw plat::Exception("ZlibInStream: compressed data truncated");
    }
  }
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
  unsigned char* buf = start_.get();
  keepFromCheckpoint(buf, &offset);
  if (!underlying) throw plat::Exception("ZlibInStream overrun: no underlying stream");
  int room = int(buf + bufSize - ptr);
  int want = itemSize < room ? itemSize : room;
  while (end - ptr < want)
    if (!decompress()) return false;
  return true;
}

bool ZlibInStream::decompress() {
  // Past the end of the deflate data the rest of the input (a gzip trailer,
  // say) would never be consumed: end the stream instead of inflating again
  // and again.
  if (streamEnded_) throw EndOfStream();
  // With the budget spent or the source at its end, the inflater may still
  // hold output that a full buffer kept back: one more step without input
  // delivers it, and only a step without progress ends the stream.
  bool budgetSpent = bytesIn == 0;
  bool sourceEnded = false;
  if (!budgetSpent && underlying->ptr >= underlying->end) {
    try {
      if (!underlying->overrunOrRewind(false, 1)) return false;
    } catch (EndOfStream&) {
      sourceEnded = true;
    }
  }
  size_t available = 0;
  if (!budgetSpent && !sourceEnded) {
    available = size_t(underlying->end - underlying->ptr);
    if (bytesIn != UINT32_MAX && available > bytesIn) available = bytesIn;
  }
  unsigned char* buf = start_.get();
  unsigned char* out = buf + (end - buf);
  zs_->next_out = out;
  zs_->avail_out = unsigned(buf + bufSize - out);
  zs_->next_in = const_cast<unsigned char*>(available ? underlying->ptr : nullptr);
  zs_->avail_in = unsigned(available);
  int rc = inflate(zs_.get(), Z_SYNC_FLUSH);
  if (rc == Z_BUF_ERROR && available == 0) {
    if (budgetSpent) throw plat::Exception("ZlibInStream: exceeded bytesIn");
    throw plat::Exception("ZlibInStream: compressed data truncated");
  }
  if (rc != Z_OK && rc != Z_STREAM_END) throw plat::Exception("ZlibInStream: inflate failed");
  if (rc == Z_STREAM_END) streamEnded_ = true;
  size_t consumed = available - zs_->avail_in;
  if (bytesIn != UINT32_MAX) bytesIn -= uint32_t(consumed);
  end = zs_->next_out;
  if (available) {
    underlying->setPtr(underlying->ptr + consumed);
    underlying->checkpoint();
  }
  return true;
}

void ZlibInStream::discard() {
  ptr = end = checkpointPtr = start_.get();
  if (!underlying) return;
  if (!decompress()) throw BlockException();
  end = start_.get();
}

}  // namespace rdr
