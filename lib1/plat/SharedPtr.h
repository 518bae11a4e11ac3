// Shared ownership of one heap object: copies share it and the last owner to
// let go deletes it through the deleter.
#pragma once

#include <utility>

namespace plat {

template <typename T>
struct DefaultDeleter {
  void operator()(T* p) const { delete p; }
};

template <typename T, typename Deleter = DefaultDeleter<T>>
class SharedPtr {
public:
  SharedPtr() = default;
  explicit SharedPtr(T* p) : ptr(p), count(p ? new int(1) : nullptr) {}
  SharedPtr(const SharedPtr& o) : ptr(o.ptr), count(o.count) {
    if (count) ++*count;
  }
  SharedPtr(SharedPtr&& o) noexcept : ptr(o.ptr), count(o.count) {
    o.ptr = nullptr;
    o.count = nullptr;
  }
  ~SharedPtr() { release(); }

  SharedPtr& operator=(const SharedPtr& o) {
    if (o.count) ++*o.count;  // first, in case o shares our object
    release();
    ptr = o.ptr;
    count = o.count;
    return *this;
  }
  SharedPtr& operator=(SharedPtr&& o) noexcept {
    if (this != &o) {
      release();
      ptr = std::exchange(o.ptr, nullptr);
      count = std::exchange(o.count, nullptr);
    }
    return *this;
  }
  // Lets go of the current object and takes p.
  void reset(T* p = nullptr) { *this = SharedPtr(p); }

  T* get() const { return ptr; }
  T& operator*() const { return *ptr; }
  T* operator->() const { return ptr; }
  explicit operator bool() const { return ptr != nullptr; }
  int useCount() const { return count ? *count : 0; }

private:
  void release() {
    if (count && --*count == 0) {
      delete count;
      Deleter()(ptr);
    }
    ptr = nullptr;
    count = nullptr;
  }

  T* ptr = nullptr;
  int* count = nullptr;
};

}  // namespace plat
