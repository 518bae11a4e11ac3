// rdr::InStream: the buffered input byte stream. Readers work directly on a
// window of bytes [ptr, end) that the concrete stream refills on demand.
// Integers are big-endian.
//
// A checkpoint marks where a rewindable stream goes back to when its source
// runs dry partway through a message: the reader gets a BlockException, waits
// for more data and parses again from the checkpoint. A refilling stream keeps
// every byte from the checkpoint on. A stream that is read strictly forward
// clears `rewindable` and checkpoints itself at every refill instead.
#pragma once

#include <cstdint>
#include <cstring>

#include "lib1/plat/Forward.h"
#include "lib1/rdr/ByteOrder.h"

namespace rdr {

class InStream {
 public:
  virtual ~InStream();

  virtual int pos() = 0;
  virtual void checkpoint();
  virtual void rewind();
  // Goes back to the checkpoint, then forward to pos.
  virtual void reposition(int pos);
  virtual bool atEndMsg() { return false; }

  unsigned readU8() {
    if (ptr >= end) overrunOrRewind(true, 1);
    return *ptr++;
  }
  unsigned readU16() {
    unsigned char scratch[2];
    uint16_t be;
    memcpy(&be, take(scratch, 2), 2);
    return fromBigEndian(be);
  }
  uint32_t readU32() {
    unsigned char scratch[4];
    uint32_t be;
    memcpy(&be, take(scratch, 4), 4);
    return fromBigEndian(be);
  }
  int readS8() { return int8_t(readU8()); }
  int readS16() { return int16_t(readU16()); }
  int32_t readS32() { return int32_t(readU32()); }
  // Exactly length bytes, waiting for them; a negative length is a fault.
  void readBytes(void* buf, int length);

  // A pointer to itemSize consecutive bytes of the stream, which are
  // consumed: into the window when they are there, else assembled in scratch.
  const unsigned char* getItem_(unsigned char* scratch, int itemSize);
  // As many whole items as are available (at least one), at most *nItems.
  const unsigned char* getItems(unsigned char* scratch, int itemSize, int* nItems);
  // The refill step of every reader: true when at least one byte (and up to
  // itemSize) is available; false, or BlockException when waiting, when the
  // source has no data now. Throws EndOfStream at the end of the data.
  bool overrunOrRewind(bool wait, int itemSize);

  void setPtr(const unsigned char* p);
  // n bytes, waiting for them; n <= 0 does nothing.
  void skip(int n);
  // Up to n bytes that are available after at most one refill, and their
  // count; n <= 0 skips nothing and never moves backwards.
  int skipAvailBytes(int n, bool wait);

  // Length-prefixed strings: one length byte, or four for a long string.
  char* readShortString();
  void readShortString(char* buf);  // buf holds at least 256 bytes
  char* readShortSecureString();
  // A length over maxLen throws before any text is read. The array grows
  // as the text arrives, so a length alone commits no memory.
  char* readLongString(unsigned int maxLen);

  // One text line; carriage returns are dropped and a line feed ends it.
  // The buffer form returns bufLen, unterminated, when the line fills it.
  int readLine(char* buf, int bufLen);
  // Up to maxLen bytes (0: kMaxLine); a longer line throws
  // StringTooLongException with what came before kept in out.
  int readLine(plat::DString* out, int maxLen);
  // The longest line readLine takes unless told otherwise, carriage returns
  // not counted: what a writer of lines for it must stay within.
  static constexpr int kMaxLine = 0x40000;

  // A uniformly distributed value below bound, from a stream of random bytes.
  unsigned int readBoundedU32(unsigned int bound);

  const unsigned char* ptr = nullptr;
  const unsigned char* end = nullptr;
  const unsigned char* checkpointPtr = nullptr;
  int checkpointPos = 0;
  bool rewindable = true;

 protected:
  InStream() = default;
  // Makes at least min(itemSize, room) bytes available from ptr on.
  virtual bool overrun(int itemSize) = 0;
  // Before a refill of a stream with a buffer of its own: moves the bytes
  // kept since the checkpoint to the front of buf, adding the dropped ones to
  // *offset.
  void keepFromCheckpoint(unsigned char* buf, long long* offset);

 private:
  const unsigned char* take(unsigned char* scratch, int n) {
    if (end - ptr < n) return getItem_(scratch, n);
    const unsigned char* p = ptr;
    ptr += n;
    return p;
  }
};

}  // namespace rdr
