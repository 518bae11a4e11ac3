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
    // Through a copy: o may be this very pointer, or share our object, and
    // letting go first would lose or delete what o holds.
    SharedPtr copy(o);
    std::swap(ptr, copy.ptr);
    std::swap(count, copy.count);
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
    if (count && --*count == 0) destroy(ptr, count);
    ptr = nullptr;
    count = nullptr;
  }
  // Out of line: inlined, g++ cannot tell that another owner's count is still
  // above zero and reports every later use of a shared count as a use after
  // free.
  [[gnu::noinline]] static void destroy(T* p, int* c) {
    delete c;
    Deleter()(p);
  }

  T* ptr = nullptr;
  int* count = nullptr;
};

}  // namespace plat
