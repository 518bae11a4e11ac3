// A child widget that leaves its container when it goes. Containers do not
// own their children, and a widget asserts when it is destroyed that it is in
// no container and stopped; so a class that keeps widgets keeps each in a
// WChild and lets C++ do the rest. Members are destroyed in reverse order of
// declaration and before the base classes, so a child declared after the
// container member that lists it, or kept by a class derived from that
// container, leaves the container while the container still stands. The
// rule for such a class is just that: declare a container before the
// children it lists. No destructor names the order.
//
// The template argument says how the widget is held:
//   WChild<T>                   a T by value. The holder is the widget itself,
//                               used exactly like a T (&holder is a T*); it
//                               leaves before T's own destructor runs.
//   WChild<std::unique_ptr<T>>  an owned T on the heap, used like the
//                               unique_ptr. reset() and assigning take the old
//                               widget out before freeing it.
//   WChild<T*>                  a widget someone else owns, in the container
//                               given to the holder. When the holder goes the
//                               widget leaves that container if it is still
//                               listed there. Only the pointer is compared:
//                               a borrowed widget may be gone already (the
//                               member of a derived class, say, which left
//                               by itself just before).
//
// The owning forms take the widget out of whichever container lists it when
// they go (the one it was moved to last, or none when it was never added or
// already removed), and then stop it if something other than a container
// started it. A widget listed by two containers at once is its owner's fault.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

#include "lib1/plat/Assert.h"
#include "lib2/wvw/Widget.h"

namespace wvw {

class WLayout;

// Takes w out of the container that lists it, then stops it if it is still
// started. Afterwards w is in no container and stopped.
void takeOutChild(Widget* w);
// Takes w out of container when container lists it; w is not dereferenced
// otherwise.
void takeOutIfListed(WLayout* container, const Widget* w);

template <typename T>
class WChild final : public T {
  static_assert(std::is_base_of_v<Widget, T>, "a WChild holds a widget");

 public:
  using T::T;
  WChild(const WChild&) = delete;
  WChild& operator=(const WChild&) = delete;
  ~WChild() override { takeOutChild(this); }
};

template <typename T>
class WChild<std::unique_ptr<T>> {
  static_assert(std::is_base_of_v<Widget, T>, "a WChild holds a widget");

 public:
  WChild() = default;
  // Implicit, as between unique_ptrs, so that a made widget is handed over
  // as it comes.
  WChild(std::unique_ptr<T> w) : w_(std::move(w)) {}
  WChild(WChild&& other) noexcept = default;
  WChild& operator=(WChild&& other) {
    reset(other.w_.release());
    return *this;
  }
  WChild& operator=(std::unique_ptr<T> w) {
    reset(w.release());
    return *this;
  }
  ~WChild() { reset(); }

  void reset(T* w = nullptr) {
    if (w_) takeOutChild(w_.get());
    w_.reset(w);
  }
  T* get() const { return w_.get(); }
  T* operator->() const { return w_.get(); }
  T& operator*() const { return *w_; }
  explicit operator bool() const { return w_ != nullptr; }

 private:
  std::unique_ptr<T> w_;
};

template <typename T>
class WChild<T*> {
  static_assert(std::is_base_of_v<Widget, T>, "a WChild holds a widget");

 public:
  // container: where the owner places the widget; never null.
  explicit WChild(WLayout* container, T* w = nullptr) : container_(container), w_(w) {
    PLAT_ASSERT(container_);
  }
  WChild(const WChild&) = delete;
  WChild& operator=(const WChild&) = delete;
  ~WChild() { takeOutIfListed(container_, w_); }

  // Only records w: adding it, and taking out the one before, stay the
  // owner's.
  WChild& operator=(T* w) {
    w_ = w;
    return *this;
  }
  operator T*() const { return w_; }
  T* operator->() const { return w_; }
  T* get() const { return w_; }

 private:
  WLayout* container_;
  T* w_;
};

}  // namespace wvw
