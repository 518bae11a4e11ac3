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
  if (o.buf_) {
    copy = new char[o.cap_];
    memcpy(copy, o.buf_, o.cap_);
  }
  delete[] buf_;
  buf_ = copy;
  cap_ = o.buf_ ? o.cap_ : 0;
  knownLen_ = o.knownLen_;
  return *this;
}

DString& DString::operator=(DString&& o) noexcept {
  if (this != &o) {
    delete[] buf_;
    buf_ = o.buf_;
    cap_ = o.cap_;
    knownLen_ = o.knownLen_;
    o.buf_ = nullptr;
    o.cap_ = 0;
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
  if (!buf_) return 0;
  if (knownLen_ < 0 || knownLen_ >= cap_ || buf_[knownLen_]) knownLen_ = int(strlen(buf_));
  return knownLen_;
}

void DString::ensureCapacity(int n) { grow(n); }

std::unique_ptr<char[]> DString::grow(int n) {
  if (buf_ && cap_ >= n) return nullptr;
  int newCap = bufSize(n);
  char* nb = new char[newCap];
  if (buf_) {
    memcpy(nb, buf_, cap_);
    nb[cap_] = 0;
  } else {
    nb[0] = 0;
    knownLen_ = 0;
  }
  std::unique_ptr<char[]> old(buf_);
  buf_ = nb;
  cap_ = newCap;
  return old;
}

bool DString::inBuffer(const char* s) const {
  uintptr_t at = reinterpret_cast<uintptr_t>(s), from = reinterpret_cast<uintptr_t>(buf_);
  return buf_ && at >= from && at < from + uintptr_t(cap_);
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
  size_t offset = inside ? size_t(s - buf_) : 0;
  ensureCapacity(len + add + 1);
  if (inside) s = buf_ + offset;
  memmove(buf_ + len, s, add);
  buf_[len + add] = 0;
  knownLen_ = len + add;
  return len + add;
}

void DString::appendChar_(char c, int count) {
  if (count <= 0) return;
  int len = length();
  if (count > (1 << 30) - len - 1) throw std::bad_alloc();
  ensureCapacity(len + count + 1);
  memset(buf_ + len, c, count);
  buf_[len + count] = 0;
  knownLen_ = c ? len + count : len;  // appended NULs end the text where it was
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
  // An argument may be this very text. Formatting straight after it would
  // overwrite its NUL while vsnprintf is still reading it, so the output is
  // made aside and copied in; a buffer replaced by growing stays until the
  // formatting is done, as an argument may point into it.
  std::unique_ptr<char[]> before;
  auto growToRoom = [&] {
    if (room > (1 << 30) - start - 1) throw std::bad_alloc();
    std::unique_ptr<char[]> old = grow(start + room + 1);
    if (!before) before = std::move(old);
  };
  auto formatInto = [&](char* out, int size) {
    va_list copy;
    va_copy(copy, args);
    int r = vsnprintf(out, size_t(size), format, copy);
    va_end(copy);
    return r;
  };
  growToRoom();
  char small[256];
  const char* out = small;
  int r = formatInto(small, int(sizeof small));
  std::unique_ptr<char[]> large;
  if (r >= int(sizeof small)) {
    if (r > room) room = r;
    growToRoom();
    large.reset(new char[size_t(r) + 1]);
    out = large.get();
    int size = r + 1;
    r = formatInto(large.get(), size);
    if (r >= size) r = size - 1;  // the same arguments give the same length
  }
  // A negative result is an error of the C library (an encoding error, or a
  // result beyond INT_MAX) that more room will not mend: the text stays as
  // it was.
  if (r < 0) return;
  if (r > room) room = r;
  growToRoom();
  memcpy(buf_ + start, out, size_t(r));
  buf_[start + r] = 0;
  // A "%c" of 0 puts a NUL inside the output, and the text ends there.
  knownLen_ = start + int(strnlen(buf_ + start, size_t(r)));
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
  if (!buf_) return *this;
  DString source(static_cast<DString&&>(*this));
  ensureCapacity(source.cap_);
  replace(source.get(), find, repl);
  return *this;
}

void DString::stripAnyOf(const char* chars) {
  if (!buf_ || !chars) return;
  char* o = buf_;
  for (const char* p = buf_; *p; p++)
    if (!strchr(chars, *p)) *o++ = *p;
  *o = 0;
  knownLen_ = int(o - buf_);
}

void DString::wordWrap(int width, int indent) {
  if (!buf_) return;
  DString out(cap_);
  const char* p = buf_;
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
  char* b = buf_;
  buf_ = nullptr;
  cap_ = 0;
  knownLen_ = -1;
  return b;
}

void DString::adoptBuf(char* newBuf, int capacity) {
  delete[] buf_;
  buf_ = newBuf;
  cap_ = newBuf ? capacity : 0;
  knownLen_ = -1;
}

DPrintf::DPrintf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  vprf(format, args);
  va_end(args);
}

}  // namespace plat
