#include "lib1/plat/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <memory>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"

namespace plat {

namespace {

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

bool isRejectedCodePoint(int v) {
  return v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF) || (v & 0xFFFE) == 0xFFFE ||
         (v >= 0xFDD0 && v <= 0xFDEF);
}

int encodedLength(int v) { return v < 0x80 ? 1 : v < 0x800 ? 2 : v < 0x10000 ? 3 : 4; }

// Bytes of text in [start, end) before the first NUL; a null end means a
// NUL-terminated string.
size_t textLength(const char* start, const char* end) {
  if (!start) return 0;
  return end ? strnlen(start, end - start) : strlen(start);
}

// The bytes the decoder may look at from a lead byte: up to the end of a
// range, or four in a NUL-terminated text, whose NUL stops the decoder as
// any other byte that is not a continuation would. A truncated sequence
// before the NUL is thus one invalid sequence, as the decoder consumed it.
int maxLenAt(const char* from, const char* rangeEnd) {
  return rangeEnd && rangeEnd - from < 4 ? int(rangeEnd - from) : 4;
}

// The first byte of [p, stop) that is not ASCII, or stop. Eight bytes at a
// time: in the first word with a high bit set, the lowest such bit (in
// memory order) marks the byte.
inline const char* skipAscii(const char* p, const char* stop) {
  while (stop - p >= 8) {
    uint64_t w;
    memcpy(&w, p, 8);
    if (uint64_t high = w & 0x8080808080808080ull) {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
      return p + (__builtin_ctzll(high) >> 3);
#else
      return p + (__builtin_clzll(high) >> 3);
#endif
    }
    p += 8;
  }
  while (p < stop && static_cast<unsigned char>(*p) < 0x80) p++;
  return p;
}

// The length of the valid character whose lead byte (0x80 or above) is at p,
// with avail bytes before the end of the text, or 0 when readUtf8NonAscii
// would reject it. The same rules with the lengths unrolled, for the loops
// that only need to know whether text is valid.
inline int validCharLength(const unsigned char* p, ptrdiff_t avail) {
  unsigned b0 = p[0];
  if (b0 < 0xC2) return 0;  // a continuation byte, or an overlong C0/C1 form
  if (b0 < 0xE0) return avail >= 2 && isContinuation(p[1]) ? 2 : 0;
  if (b0 < 0xF0) {
    if (avail < 3) return 0;
    unsigned b1 = p[1], b2 = p[2];
    if (!isContinuation(b1) || !isContinuation(b2)) return 0;
    // Only three leads have rejected values: E0 (overlong below A0), ED
    // (surrogates from A0), and EF (U+FDD0..U+FDEF and U+FFFE, U+FFFF).
    if (b0 == 0xE0) return b1 >= 0xA0 ? 3 : 0;
    if (b0 == 0xED) return b1 < 0xA0 ? 3 : 0;
    if (b0 == 0xEF && ((b1 == 0xB7 && b2 >= 0x90 && b2 <= 0xAF) || (b1 == 0xBF && b2 >= 0xBE)))
      return 0;
    return 3;
  }
  if (b0 < 0xF5) {
    if (avail < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3]))
      return 0;
    unsigned v = (b0 & 0x07) << 18 | (p[1] & 0x3F) << 12 | (p[2] & 0x3F) << 6 | (p[3] & 0x3F);
    bool bad = v < 0x10000 || v > 0x10FFFF || (v & 0xFFFE) == 0xFFFE;
    return bad ? 0 : 4;
  }
  return 0;
}

// Walks the characters of [p, end), where end is the NUL or range end found
// by textLength, and rangeEnd the caller's end (null for a NUL-terminated
// text). For each character it calls onChar(codepoint, from, to), with -1
// for an invalid sequence; returning false stops the walk. The pointer
// semantics are those of readUtf8NonAscii.
template <typename F>
void forEachChar(const char* p, const char* end, const char* rangeEnd, F onChar) {
  while (p < end) {
    if (static_cast<unsigned char>(*p) < 0x80) {
      const char* from = p++;
      if (!onChar(static_cast<unsigned char>(*from), from, p)) return;
      continue;
    }
    const char* from = p;
    unsigned char lead = static_cast<unsigned char>(*p++);
    int c = readUtf8NonAscii(lead, &p, maxLenAt(from, rangeEnd));
    if (!onChar(c, from, p)) return;
  }
}

// A growing output for the repair and conversion functions.
class OutBuf {
 public:
  explicit OutBuf(size_t initial) : cap_(initial + 1), buf_(new char[cap_]) {}
  void reserve(size_t more) {
    if (len_ + more + 1 <= cap_) return;
    size_t newCap = cap_ * 2 > len_ + more + 1 ? cap_ * 2 : len_ + more + 1;
    std::unique_ptr<char[]> n(new char[newCap]);
    memcpy(n.get(), buf_.get(), len_);
    buf_ = std::move(n);
    cap_ = newCap;
  }
  void append(const char* s, size_t n) {
    reserve(n);
    memcpy(buf_.get() + len_, s, n);
    len_ += n;
  }
  // The text, handed over as the caller's array.
  char* take(char** outEnd = nullptr) {
    buf_[len_] = 0;
    if (outEnd) *outEnd = buf_.get() + len_;
    return buf_.release();
  }
  size_t size() const { return len_; }

 private:
  size_t cap_;
  size_t len_ = 0;
  std::unique_ptr<char[]> buf_;
};

}  // namespace

int readUtf8NonAscii(unsigned char lead, const char** p, int maxLen) {
  int n = 0;
  while (n < 8 && (lead & (0x80 >> n))) n++;
  if (n < 2 || n > 4 || n > maxLen) return -1;
  int value = lead & (0x7F >> n);
  for (int i = 1; i < n; i++) {
    unsigned char b = static_cast<unsigned char>(**p);
    if (!isContinuation(b)) return -1;
    (*p)++;
    value = (value << 6) | (b & 0x3F);
  }
  if (isRejectedCodePoint(value) || encodedLength(value) != n) return -1;
  return value;
}

void utf8Back1(const char** p, const char* start) {
  const char* q = *p;
  const char* limit = start ? start : q - 4;
  if (q <= limit) return;
  q--;
  while (q > limit && isContinuation(static_cast<unsigned char>(*q))) q--;
  *p = q;
}

int utf8NumColumns(const char* start, const char* end) {
  int columns = 0;
  forEachChar(start, start + textLength(start, end), end, [&](int c, const char*, const char*) {
    if (c < 0) return false;
    int w = wcwidth(static_cast<wchar_t>(c));
    columns += w < 0 ? 1 : w;
    return true;
  });
  return columns;
}

bool isValidUtf8(const char* start, const char* end) {
  if (!start) return true;
  const char* p = start;
  const char* stop = start + textLength(start, end);
  for (;;) {
    p = skipAscii(p, stop);  // [start, stop) holds no NUL
    if (p >= stop) return true;
    do {  // a run of multi-byte characters
      int n = validCharLength(reinterpret_cast<const unsigned char*>(p), stop - p);
      if (!n) return false;
      p += n;
    } while (p < stop && static_cast<unsigned char>(*p) >= 0x80);
  }
}

void writeUtf8(int c, char** p) {
  if (c < 0 || c > 0x10FFFF) throw Exception("Unicode out of range");
  unsigned char* q = reinterpret_cast<unsigned char*>(*p);
  if (c < 0x80) {
    *q++ = c;
  } else if (c < 0x800) {
    *q++ = 0xC0 | (c >> 6);
    *q++ = 0x80 | (c & 0x3F);
  } else if (c < 0x10000) {
    *q++ = 0xE0 | (c >> 12);
    *q++ = 0x80 | ((c >> 6) & 0x3F);
    *q++ = 0x80 | (c & 0x3F);
  } else {
    *q++ = 0xF0 | (c >> 18);
    *q++ = 0x80 | ((c >> 12) & 0x3F);
    *q++ = 0x80 | ((c >> 6) & 0x3F);
    *q++ = 0x80 | (c & 0x3F);
  }
  *p = reinterpret_cast<char*>(q);
}

char* sanitizeUtf8(const char* start, const char* end, int maxBytes) {
  size_t len = textLength(start, end);
  OutBuf out(len + 10);
  const char* stop = start + len;
  const size_t limit = maxBytes < 0 ? SIZE_MAX : size_t(maxBytes);
  // Valid input is copied in runs: [run, p) is valid and not yet copied,
  // and out.size() + (p - run) never exceeds limit.
  const char* run = start;
  const char* p = start;
  bool full = false;
  while (p < stop && !full) {
    const char* ascii = skipAscii(p, stop);
    if (out.size() + size_t(ascii - run) > limit) {
      p = run + (limit - out.size());
      break;
    }
    p = ascii;
    // A run of multi-byte characters and invalid sequences.
    while (p < stop && static_cast<unsigned char>(*p) >= 0x80) {
      const char* from = p;
      // Valid characters take the quick test; the decoder decides how much
      // of an invalid sequence one replacement stands for.
      int n = validCharLength(reinterpret_cast<const unsigned char*>(from), stop - from);
      p = from + (n ? n : 1);
      if (!n) readUtf8NonAscii(static_cast<unsigned char>(*from), &p, maxLenAt(from, end));
      if (out.size() + size_t(from - run) + (n ? n : 3) > limit) {
        p = from;
        full = true;
        break;
      }
      if (!n) {
        out.append(run, from - run);
        out.append("\xEF\xBF\xBD", 3);
        run = p;
      }
    }
  }
  out.append(run, p - run);
  return out.take();
}

char* strvisUtf8(const char* s, char esc) {
  size_t len = textLength(s, nullptr);
  char* out = new char[4 * len + 1];
  char* o = out;
  auto escapeByte = [&](unsigned char b) {
    *o++ = esc;
    if (b & 0x80) *o++ = 'M';
    unsigned char v = b & 0x7F;
    if (v <= 0x20 || v == 0x7F) {
      *o++ = '^';
      *o++ = char(v ^ 0x40);
    } else {
      *o++ = '-';
      *o++ = char(v);
    }
  };
  forEachChar(s, s + len, nullptr, [&](int c, const char* from, const char* to) {
    if (c < 0) {
      for (const char* q = from; q < to; q++) escapeByte(static_cast<unsigned char>(*q));
    } else if (c == static_cast<unsigned char>(esc)) {
      *o++ = esc;
      *o++ = esc;
    } else if (c < 0x20 || c == 0x7F) {
      *o++ = esc;
      *o++ = '^';
      *o++ = char(c ^ 0x40);
    } else {
      memcpy(o, from, to - from);
      o += to - from;
    }
    return true;
  });
  *o = 0;
  return out;
}

char* latin1ToUtf8(const char* lStart, const char* lEnd, char** outEnd) {
  PLAT_ASSERT(lStart || !lEnd);
  size_t len = textLength(lStart, lEnd);
  size_t outLen = 0;
  for (size_t i = 0; i < len; i++) {
    unsigned char b = static_cast<unsigned char>(lStart[i]);
    outLen += b < 0x80 ? 1 : b == 0x80 ? 3 : 2;
  }
  char* out = new char[outLen + 1];
  char* o = out;
  for (size_t i = 0; i < len; i++) {
    unsigned char b = static_cast<unsigned char>(lStart[i]);
    writeUtf8(b == 0x80 ? 0x20AC : b, &o);
  }
  *o = 0;
  if (outEnd) *outEnd = o;
  return out;
}

char* utf8ToLatin1(const char* start, const char* end, char** outEnd) {
  size_t len = textLength(start, end);
  size_t count = 0;
  forEachChar(start, start + len, end, [&](int, const char*, const char*) {
    count++;
    return true;
  });
  char* out = new char[count + 1];
  char* o = out;
  forEachChar(start, start + len, end, [&](int c, const char*, const char*) {
    *o++ = c >= 0 && c <= 0xFF ? char(c) : c == 0x20AC ? char(0x80) : '?';
    return true;
  });
  *o = 0;
  if (outEnd) *outEnd = o;
  return out;
}

void latin1ToUtf8(CBuf<char> in, MBuf<char>* out) {
  char* outEnd;
  char* s = latin1ToUtf8(in.data, in.data ? in.data + in.length : nullptr, &outEnd);
  out->replace(s, int(outEnd - s));
}

void utf8ToLatin1(CBuf<char> in, MBuf<char>* out) {
  char* outEnd;
  char* s = utf8ToLatin1(in.data, in.data ? in.data + in.length : nullptr, &outEnd);
  out->replace(s, int(outEnd - s));
}

void fixupUtf8Pos(const char* s, int* pos, int* len) {
  int L = int(strlen(s));
  if (*pos < 0) *pos = 0;
  if (*pos > L) *pos = L;
  int length = (!len || *len < 0) ? L : *len;
  while (*pos < L && isContinuation(static_cast<unsigned char>(s[*pos]))) {
    (*pos)++;
    length--;
  }
  if (!len) return;
  if (length < 0) length = 0;
  if (length > L - *pos) length = L - *pos;
  while (length >= 1 && *pos + length < L &&
         isContinuation(static_cast<unsigned char>(s[*pos + length])))
    length++;
  *len = length;
}

}  // namespace plat
