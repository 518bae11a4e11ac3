// plat::DString: a growable heap text. Its length is where the NUL is, and
// its capacity is a power of two, at least 8. Without a buffer it reads as
// the empty text; the first append allocates.
#pragma once

#include <cstdarg>
#include <memory>

namespace plat {

class DString {
 public:
  DString() = default;
  explicit DString(int capacity);
  DString(const DString& o);
  DString(DString&& o) noexcept : buf_(o.buf_), cap_(o.cap_), knownLen_(o.knownLen_) {
    o.buf_ = nullptr;
    o.cap_ = 0;
  }
  ~DString() { delete[] buf_; }
  DString& operator=(const DString& o);
  DString& operator=(DString&& o) noexcept;

  // The capacity given to a request for n bytes.
  static int bufSize(int n);

  const char* get() const { return buf_ ? buf_ : ""; }
  operator const char*() const { return get(); }
  // The buffer, for writing in place: the length is looked for again
  // afterwards, so write before the next operation on the string.
  char* data() {
    knownLen_ = -1;
    return buf_;
  }
  int capacity() const { return cap_; }
  int length() const;
  bool isEmpty() const { return !buf_ || !buf_[0]; }

  void ensureCapacity(int n);
  // Appends s (its first n bytes when n >= 0, stopping at a NUL); returns
  // the new length.
  int append_(const char* s, int n = -1);
  DString& append(const char* s, int n = -1) {
    append_(s, n);
    return *this;
  }
  void appendChar_(char c, int count = 1);
  // Replaces [start, end) with s (its first n bytes when n >= 0). Nothing
  // changes unless 0 <= start <= end <= length.
  DString& replaceRange(int start, int end, const char* s, int n = -1);
  void vprf(const char* format, va_list args) __attribute__((format(printf, 2, 0)));
  DString& prf(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Appends src with every occurrence of find replaced by repl, left to
  // right without overlap. An empty find is a fatal assertion.
  DString& replace(const char* src, const char* find, const char* repl);
  // The same in place.
  DString& replace(const char* find, const char* repl);
  void stripAnyOf(const char* chars);
  // Wraps at width display columns; continuation lines start with indent
  // blanks. A word longer than width stays whole on its own line.
  void wordWrap(int width, int indent);

  void clear() {
    if (buf_) buf_[0] = 0;
    knownLen_ = 0;
  }
  // Gives up the buffer (array new'd, or null); the string is left empty.
  char* takeBuf();
  // Takes over an array-new'd buffer of capacity bytes holding a C string.
  void adoptBuf(char* newBuf, int capacity);

 private:
  bool inBuffer(const char* s) const;  // does s point into the buffer?
  // ensureCapacity, handing back the buffer it replaced (or null).
  std::unique_ptr<char[]> grow(int n);

  char* buf_ = nullptr;
  int cap_ = 0;
  // Where the NUL was last seen, or -1. Appends start there instead of
  // looking for the NUL each time, which would make n appends cost O(n^2).
  mutable int knownLen_ = -1;
};

// A DString holding the printf-style formatting of its arguments.
class DPrintf : public DString {
 public:
  explicit DPrintf(const char* format, ...) __attribute__((format(printf, 2, 3)));
};

}  // namespace plat
