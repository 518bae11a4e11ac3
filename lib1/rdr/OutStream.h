// rdr::OutStream: the buffered output byte stream, the mirror of InStream.
// Writers store straight into a window [ptr, end); when it is full the
// concrete stream makes room. Integers are big-endian.
#pragma once

#include <cstdint>
#include <cstring>

#include "lib1/rdr/ByteOrder.h"

namespace rdr {

class OutStream {
 public:
  virtual ~OutStream();

  virtual void writeBytes(const void* data, int length);
  // Bytes written since the stream began.
  virtual int length() = 0;
  virtual void flush() {}
  // The stream whose flushing really sends the data.
  virtual OutStream* getFlushingStream() { return this; }
  virtual int unflushedBytes();
  // How many more bytes can be written without blocking.
  virtual int nonBlockingBytes() = 0;
  virtual bool shutdown() { return false; }
  // Makes room for at least one item of itemSize bytes at ptr; returns how
  // many whole items (at most nItems) now fit.
  virtual int overrun(int itemSize, int nItems) = 0;

  void writeU8(unsigned v) {
    if (ptr >= end) overrun(1, 1);
    *ptr++ = uint8_t(v);
  }
  void writeU16(unsigned v) {
    if (end - ptr < 2) overrun(2, 1);
    uint16_t be = toBigEndian(uint16_t(v));
    memcpy(ptr, &be, 2);
    ptr += 2;
  }
  void writeU32(uint32_t v) {
    if (end - ptr < 4) overrun(4, 1);
    uint32_t be = toBigEndian(v);
    memcpy(ptr, &be, 4);
    ptr += 4;
  }
  void writeS8(int v) { writeU8(uint8_t(v)); }
  void writeS16(int v) { writeU16(uint16_t(v)); }
  void writeS32(int32_t v) { writeU32(uint32_t(v)); }

  // Advances ptr by n bytes without storing anything.
  void skip(int n);
  void setPtr(unsigned char* p);
  // One length byte (at most 255) and the text.
  void writeShortString(const char* s);
  // A four-byte length and the text: all of s when length is 0, else at most
  // length bytes of it.
  void writeLongString(const char* s, int length = 0);

  unsigned char* ptr = nullptr;
  unsigned char* end = nullptr;

 protected:
  OutStream() = default;
};

}  // namespace rdr
