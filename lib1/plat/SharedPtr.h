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
  explicit SharedPtr(T* p) : ptr_(p), count_(p ? new int(1) : nullptr) {}
  SharedPtr(const SharedPtr& o) : ptr_(o.ptr_), count_(o.count_) {
    if (count_) ++*count_;
  }
  SharedPtr(SharedPtr&& o) noexcept : ptr_(o.ptr_), count_(o.count_) {
    o.ptr_ = nullptr;
    o.count_ = nullptr;
  }
  ~SharedPtr() { release(); }

  SharedPtr& operator=(const SharedPtr& o) {
    // Through a copy: o may be this very pointer, or share our object, and
    // letting go first would lose or delete what o holds.
    SharedPtr copy(o);
    std::swap(ptr_, copy.ptr_);
    std::swap(count_, copy.count_);
    return *this;
  }
  SharedPtr& operator=(SharedPtr&& o) noexcept {
    if (this != &o) {
      release();
      ptr_ = std::exchange(o.ptr_, nullptr);
      count_ = std::exchange(o.count_, nullptr);
    }
    return *this;
  }
  // Lets go of the current object and takes p.
  void reset(T* p = nullptr) { *this = SharedPtr(p); }

  T* get() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  T* operator->() const { return ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  int useCount() const { return count_ ? *count_ : 0; }

 private:
  void release() {
    if (count_ && --*count_ == 0) destroy(ptr_, count_);
    ptr_ = nullptr;
    count_ = nullptr;
  }
  // Out of line: inlined, g++ cannot tell that another owner's count is still
  // above zero and reports every later use of a shared count as a use after
  // free.
  [[gnu::noinline]] static void destroy(T* p, int* c) {
    delete c;
    Deleter()(p);
  }

  T* ptr_ = nullptr;
  int* count_ = nullptr;
};

}  // namespace plat
