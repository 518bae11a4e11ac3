// Byte and character buffers: borrowed views (CBuf) and owned arrays (MBuf).
#pragma once

#include <cstring>
#include <utility>

#include "lib1/plat/SecureMem.h"

namespace plat {

// A borrowed view: a length and a pointer, passed by value. {0, null} is
// nothing.
template <typename T>
struct CBuf {
  int length = 0;
  const T* data = nullptr;
};

// The same pair, kept inside containers.
template <typename T>
using MCBuf = CBuf<T>;

// An owned heap array (array new/delete). A secure buffer overwrites its
// contents with zeros before it lets them go.
template <typename T>
class MBuf {
 public:
  MBuf() = default;
  explicit MBuf(bool zeroOnRelease) : secure(zeroOnRelease) {}
  MBuf(T* owned, int n, bool zeroOnRelease = false)
      : length(n), data(owned), secure(zeroOnRelease) {}
  MBuf(const MBuf&) = delete;
  MBuf& operator=(const MBuf&) = delete;
  MBuf(MBuf&& o) noexcept : length(o.length), data(o.data), secure(o.secure) {
    o.data = nullptr;
    o.length = 0;
  }
  MBuf& operator=(MBuf&& o) noexcept {
    if (this != &o) {
      replace(o.data, o.length);
      secure = secure || o.secure;
      o.data = nullptr;
      o.length = 0;
    }
    return *this;
  }
  ~MBuf() { release(); }

  // Releases the old array (zeroed first when secure) and takes newData.
  void replace(T* newData, int newLength) {
    release();
    data = newData;
    length = newLength;
  }
  void release() {
    if (data && secure) secureZeroMemory(data, sizeof(T) * length);
    delete[] data;
    data = nullptr;
    length = 0;
  }
  // Makes the buffer n elements long. The storage stays when n is not larger
  // and either at least half the current length or below 128; otherwise new
  // storage of n elements replaces it, contents not kept. A secure buffer
  // zeroes the dropped tail, or the whole old storage, first.
  void resize(int n) {
    if (n <= length && (n >= length / 2 || n < 128)) {
      if (secure && data) secureZeroMemory(data + n, sizeof(T) * (length - n));
      length = n;
      return;
    }
    replace(new T[n](), n);
  }
  // Gives up ownership of the array.
  T* takeBuf() {
    T* d = data;
    data = nullptr;
    length = 0;
    return d;
  }
  CBuf<T> view() const { return CBuf<T>{length, data}; }

  int length = 0;
  T* data = nullptr;
  bool secure = false;
};

// An owned text that is zeroed before it is released.
class SecureString {
 public:
  SecureString() = default;
  explicit SecureString(char* owned) : buf_(owned) {}
  SecureString(const SecureString&) = delete;
  SecureString& operator=(const SecureString&) = delete;
  ~SecureString() { replaceBuf(nullptr); }

  const char* get() const { return buf_; }
  // Zeroes the current text, deletes it and takes ownership of newBuf.
  void replaceBuf(char* newBuf) {
    if (buf_) {
      secureZeroMemory(buf_, strlen(buf_));
      delete[] buf_;
    }
    buf_ = newBuf;
  }

 private:
  char* buf_ = nullptr;
};

}  // namespace plat
