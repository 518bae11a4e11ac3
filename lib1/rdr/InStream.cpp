#include "lib1/rdr/InStream.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/SecureMem.h"
#include "lib1/rdr/Exceptions.h"

namespace rdr {

namespace {

// What a long string may take before its bytes arrive; beyond it the array
// doubles as they come.
constexpr size_t kLongStringFirstAlloc = 64 * 1024;

}  // namespace

InStream::~InStream() = default;

void InStream::checkpoint() {
  checkpointPos = pos();
  checkpointPtr = ptr;
}

void InStream::rewind() {
  if (!rewindable) throw plat::Exception("Attempt to rewind a non-rewindable stream");
  ptr = checkpointPtr;
}

void InStream::reposition(int to) {
  if (to < checkpointPos) throw plat::Exception("Can't reposition before checkpoint");
  rewind();
  skip(to - checkpointPos);
}

bool InStream::overrunOrRewind(bool wait, int itemSize) {
  if (!rewindable) checkpoint();
  bool available;
  try {
    available = overrun(itemSize);
  } catch (BlockException&) {
    available = false;
  }
  if (available) {
    if (ptr == end) throw plat::Exception("InStream overrun: buffer size exceeded");
    return true;
  }
  if (rewindable) rewind();
  if (wait) throw BlockException();
  return false;
}

const unsigned char* InStream::getItem_(unsigned char* scratch, int itemSize) {
  if (end - ptr < itemSize) overrunOrRewind(true, itemSize);
  if (end - ptr >= itemSize) {
    const unsigned char* p = ptr;
    ptr += itemSize;
    return p;
  }
  // Larger than a refill can provide: assemble it piece by piece.
  int have = 0;
  for (;;) {
    int n = int(end - ptr) < itemSize - have ? int(end - ptr) : itemSize - have;
    memcpy(scratch + have, ptr, n);
    ptr += n;
    have += n;
    if (have == itemSize) return scratch;
    overrunOrRewind(true, 1);
  }
}

const unsigned char* InStream::getItems(unsigned char* scratch, int itemSize, int* nItems) {
  PLAT_ASSERT(*nItems > 0);
  if (end - ptr < itemSize) overrunOrRewind(true, itemSize);
  int available = int(end - ptr) / itemSize;
  if (available == 0) {
    *nItems = 1;
    return getItem_(scratch, itemSize);
  }
  if (available < *nItems) *nItems = available;
  const unsigned char* p = ptr;
  ptr += *nItems * itemSize;
  return p;
}

void InStream::readBytes(void* buf, int length) {
  PLAT_ASSERT(length >= 0);
  unsigned char* out = static_cast<unsigned char*>(buf);
  while (length > 0) {
    if (ptr >= end) overrunOrRewind(true, length);
    int n = int(end - ptr) < length ? int(end - ptr) : length;
    memcpy(out, ptr, n);
    ptr += n;
    out += n;
    length -= n;
  }
}

void InStream::keepFromCheckpoint(unsigned char* buf, long long* offset) {
  if (checkpointPtr <= buf) return;
  long long moved = checkpointPtr - buf;
  memmove(buf, checkpointPtr, size_t(end - checkpointPtr));
  *offset += moved;
  ptr -= moved;
  end -= moved;
  checkpointPtr = buf;
}

void InStream::setPtr(const unsigned char* p) {
  PLAT_ASSERT(p >= ptr && p <= end);
  ptr = p;
}

int InStream::skipAvailBytes(int n, bool wait) {
  if (n <= 0) return 0;
  if (ptr >= end && !overrunOrRewind(wait, 1)) return 0;
  int count = int(end - ptr) < n ? int(end - ptr) : n;
  ptr += count;
  return count;
}

void InStream::skip(int n) {
  while (n > 0) n -= skipAvailBytes(n, true);
}

char* InStream::readShortString() {
  int len = readU8();
  std::unique_ptr<char[]> s(new char[len + 1]);
  readBytes(s.get(), len);
  s[len] = 0;
  return s.release();
}

void InStream::readShortString(char* buf) {
  int len = readU8();
  readBytes(buf, len);
  buf[len] = 0;
}

namespace {

// Owns a secret being read: whatever part of it arrived is wiped before the
// memory goes back.
struct SecretDeleter {
  size_t size;
  void operator()(char* p) const {
    plat::secureZeroMemory(p, size);
    delete[] p;
  }
};

}  // namespace

char* InStream::readShortSecureString() {
  int len = readU8();
  std::unique_ptr<char[], SecretDeleter> s(new char[len + 1], SecretDeleter{size_t(len) + 1});
  for (int i = 0; i < len; i++) s[i] = char(readU8());
  s[len] = 0;
  return s.release();
}

char* InStream::readLongString(unsigned int maxLen) {
  uint32_t len = readU32();
  // The array size is a signed count: a length of 2^31 or more cannot be held.
  if (len > maxLen || len > uint32_t(INT_MAX) - 1) throw StringTooLongException();
  // The length is only a claim until the bytes arrive: four bytes must not
  // make us reserve gigabytes. The array grows with what has been read.
  size_t size = size_t(len) + 1;
  size_t capacity = std::min(size, kLongStringFirstAlloc);
  std::unique_ptr<char[]> s(new char[capacity]);
  size_t have = 0;
  while (have < len) {
    if (ptr >= end) overrunOrRewind(true, 1);
    size_t n = std::min(size_t(end - ptr), len - have);
    if (have + n + 1 > capacity) {
      capacity = std::min(size, std::max(2 * capacity, have + n + 1));
      std::unique_ptr<char[]> grown(new char[capacity]);
      memcpy(grown.get(), s.get(), have);
      s = std::move(grown);
    }
    memcpy(s.get() + have, ptr, n);
    ptr += n;
    have += n;
  }
  s[len] = 0;
  return s.release();
}

int InStream::readLine(char* buf, int bufLen) {
  if (bufLen <= 0) return 0;
  int n = 0;
  for (;;) {
    if (n == bufLen) return bufLen;
    if (ptr >= end) {
      try {
        overrunOrRewind(true, 1);
      } catch (EndOfStream&) {
        if (n == 0) throw;
        buf[n] = 0;
        return n;
      } catch (EndOfMsg&) {
        if (n == 0) throw;
        buf[n] = 0;
        return n;
      }
    }
    unsigned char c = *ptr++;
    if (c == '\r') continue;
    if (c == '\n') {
      buf[n] = 0;
      return n;
    }
    buf[n++] = char(c);
  }
}

int InStream::readLine(plat::DString* out, int maxLen) {
  if (maxLen < 0) throw StringTooLongException();
  if (maxLen == 0) maxLen = kMaxLine;
  out->ensureCapacity(64);
  out->clear();
  int n = 0;
  for (;;) {
    if (ptr >= end) {
      try {
        overrunOrRewind(true, 1);
      } catch (EndOfStream&) {
        if (n == 0) throw;
        return n;
      } catch (EndOfMsg&) {
        if (n == 0) throw;
        return n;
      }
    }
    // Copy the window up to the line feed in runs between carriage returns.
    const unsigned char* lf =
        static_cast<const unsigned char*>(memchr(ptr, '\n', size_t(end - ptr)));
    const unsigned char* stop = lf ? lf : end;
    while (ptr < stop) {
      const unsigned char* cr =
          static_cast<const unsigned char*>(memchr(ptr, '\r', size_t(stop - ptr)));
      const unsigned char* runEnd = cr ? cr : stop;
      int run = int(runEnd - ptr);
      bool tooLong = run > maxLen - n;
      if (tooLong) run = maxLen - n;
      out->ensureCapacity(n + run + 1);
      memcpy(out->data() + n, ptr, run);
      n += run;
      out->data()[n] = 0;
      ptr += run;
      if (tooLong) {
        ptr++;  // the byte beyond the limit has been read
        throw StringTooLongException();
      }
      if (cr) ptr++;
    }
    if (lf) {
      ptr++;
      return n;
    }
  }
}

unsigned int InStream::readBoundedU32(unsigned int bound) {
  if (bound == 0) return readU32();
  uint32_t threshold = uint32_t(-bound) % bound;  // 2^32 mod bound
  uint32_t v = 0;
  for (int i = 0; i < 9; i++) {
    v = readU32();
    if (v >= threshold) break;
  }
  return v % bound;
}

}  // namespace rdr
