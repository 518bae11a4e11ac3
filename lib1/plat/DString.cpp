#include "lib1/plat/DString.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "lib1/plat/Assert.h"
#include "lib1/plat/StrUtil.h"
#include "lib1/plat/Utf8.h"

namespace plat {

DString::DString(int capacity) { ensureCapacity(capacity > 0 ? capacity : 1); }

DString::DString(const DString& o) { *this = o; }

DString& DString::operator=(const DString& o) {
  if (this == &o) return *this;
  // Copy before letting the old buffer go, so that a failed allocation
  // leaves this string as it was.
  char* copy = nullptr;
  if (o.buf) {
    copy = new char[o.cap];
    memcpy(copy, o.buf, o.cap);
  }
  delete[] buf;
  buf = copy;
  cap = o.buf ? o.cap : 0;
  knownLen = o.knownLen;
  return *this;
}

DString& DString::operator=(DString&& o) noexcept {
  if (this != &o) {
    delete[] buf;
    buf = o.buf;
    cap = o.cap;
    knownLen = o.knownLen;
    o.buf = nullptr;
    o.cap = 0;
  }
  return *this;
}

int DString::bufSize(int n) {
  if (n <= 8) return 8;
  if (n > (1 << 30)) throw std::bad_alloc();
  int size = 16;
  while (size < n) size <<= 1;
  return size;
}

int DString::length() const {
  if (!buf) return 0;
  if (knownLen < 0 || knownLen >= cap || buf[knownLen]) knownLen = int(strlen(buf));
  return knownLen;
}

void DString::ensureCapacity(int n) { delete[] grow(n); }

char* DString::grow(int n) {
  if (buf && cap >= n) return nullptr;
  int newCap = bufSize(n);
  char* nb = new char[newCap];
  if (buf) {
    memcpy(nb, buf, cap);
    nb[cap] = 0;
  } else {
    nb[0] = 0;
    knownLen = 0;
  }
  char* old = buf;
  buf = nb;
  cap = newCap;
  return old;
}

bool DString::inBuffer(const char* s) const {
  uintptr_t at = reinterpret_cast<uintptr_t>(s), from = reinterpret_cast<uintptr_t>(buf);
  return buf && at >= from && at < from + uintptr_t(cap);
}

int DString::append_(const char* s, int n) {
  int len = length();
  if (!s) {
    ensureCapacity(len + 1);
    return len;
  }
  int add = n < 0 ? int(strlen(s)) : int(strnlen(s, n));
  if (add > (1 << 30) - len - 1) throw std::bad_alloc();
  // s may point into this string, whose buffer may move.
  bool inside = inBuffer(s);
  size_t offset = inside ? size_t(s - buf) : 0;
  ensureCapacity(len + add + 1);
  if (inside) s = buf + offset;
  memmove(buf + len, s, add);
  buf[len + add] = 0;
  knownLen = len + add;
  return len + add;
}

void DString::appendChar_(char c, int count) {
  if (count <= 0) return;
  int len = length();
  if (count > (1 << 30) - len - 1) throw std::bad_alloc();
  ensureCapacity(len + count + 1);
  memset(buf + len, c, count);
  buf[len + count] = 0;
  knownLen = c ? len + count : len;  // appended NULs end the text where it was
}

DString& DString::replaceRange(int start, int end, const char* s, int n) {
  int len = length();
  if (start < 0 || start > end || end > len) return *this;
  int add = !s ? 0 : n < 0 ? int(strlen(s)) : int(strnlen(s, n));
  // Build the new text aside: s may point into this string.
  DString out(len - (end - start) + add + 1);
  out.append_(get(), start);
  out.append_(s, add);
  out.append_(get() + end);
  *this = static_cast<DString&&>(out);
  return *this;
}

void DString::vprf(const char* format, va_list args) {
  int start = length();
  int room = int(strlen(format));
  // An argument may point into the text, so the buffer it was in stays until
  // the formatting is done.
  std::unique_ptr<char[]> before;
  for (;;) {
    if (room > (1 << 30) - start - 1) throw std::bad_alloc();
    char* old = grow(start + room + 1);
    if (!before)
      before.reset(old);
    else
      delete[] old;
    int space = cap - start;
    va_list copy;
    va_copy(copy, args);
    int r = vsnprintf(buf + start, space, format, copy);
    va_end(copy);
    if (r >= 0 && r < space) {
      // A "%c" of 0 puts a NUL inside the output, and the text ends there.
      knownLen = start + int(strnlen(buf + start, size_t(r)));
      return;
    }
    buf[start] = 0;
    knownLen = start;
    // A negative result is an error of the C library (an encoding error, or
    // a result beyond INT_MAX) that more room will not mend: keep the text
    // cut back to what it was.
    if (r < 0) return;
    room = r;
  }
}

DString& DString::prf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vprf(format, args);
  va_end(args);
  return *this;
}

DString& DString::replace(const char* src, const char* find, const char* repl) {
  int findLen = int(strlen(find ? find : ""));
  PLAT_ASSERT(findLen);
  if (!src) return *this;
  // Appending moves the buffer and overwrites its NUL: texts that lie in it
  // are read from the untouched original while a copy grows.
  if (inBuffer(src) || inBuffer(find) || inBuffer(repl)) {
    DString out(*this);
    out.replace(src, find, repl);
    *this = static_cast<DString&&>(out);
    return *this;
  }
  int replLen = strLen(repl);
  const char* p = src;
  while (const char* hit = strstr(p, find)) {
    append_(p, int(hit - p));
    append_(repl, replLen);
    p = hit + findLen;
  }
  append_(p);
  return *this;
}

DString& DString::replace(const char* find, const char* repl) {
  if (!buf) return *this;
  DString source(static_cast<DString&&>(*this));
  ensureCapacity(source.cap);
  replace(source.get(), find, repl);
  return *this;
}

void DString::stripAnyOf(const char* chars) {
  if (!buf || !chars) return;
  char* o = buf;
  for (const char* p = buf; *p; p++)
    if (!strchr(chars, *p)) *o++ = *p;
  *o = 0;
  knownLen = int(o - buf);
}

void DString::wordWrap(int width, int indent) {
  if (!buf) return;
  DString out(cap);
  const char* p = buf;
  int column = 0;
  int pending = 0;
  while (*p == ' ') p++, pending++;
  while (*p) {
    if (*p == '\n') {
      out.appendChar_('\n');
      column = pending = 0;
      p++;
    } else if (*p == ' ') {
      pending = 0;
      while (*p == ' ') p++, pending++;
    } else {
      const char* word = p;
      while (*p && *p != ' ' && *p != '\n') p++;
      int columns = utf8NumColumns(word, p);
      if (column + pending + columns > width && column > 0) {
        out.appendChar_('\n');
        out.appendChar_(' ', indent);
        column = indent;
      } else {
        out.appendChar_(' ', pending);
        column += pending;
      }
      pending = 0;
      out.append_(word, int(p - word));
      column += columns;
    }
  }
  *this = static_cast<DString&&>(out);
}

char* DString::takeBuf() {
  char* b = buf;
  buf = nullptr;
  cap = 0;
  knownLen = -1;
  return b;
}

void DString::adoptBuf(char* newBuf, int capacity) {
  delete[] buf;
  buf = newBuf;
  cap = newBuf ? capacity : 0;
  knownLen = -1;
}

DPrintf::DPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vprf(format, args);
  va_end(args);
}

}  // namespace plat
