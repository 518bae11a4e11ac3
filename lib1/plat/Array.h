// Array: the owner of one heap array (array new/delete).
// FixedArray: a fixed number of elements held by value.
#pragma once

#include <cstddef>

namespace plat {

template <typename T>
class Array {
 public:
  Array() = default;
  explicit Array(size_t n) : data(new T[n]()) {}
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;
  ~Array() { delete[] data; }

  // Frees the old array and takes p.
  void replace(T* p) {
    delete[] data;
    data = p;
  }
  T& operator[](size_t i) const { return data[i]; }

  T* data = nullptr;
};

template <typename T, size_t N>
struct FixedArray {
  T& operator[](size_t i) { return items[i]; }
  const T& operator[](size_t i) const { return items[i]; }
  static constexpr size_t size() { return N; }
  T* begin() { return items; }
  T* end() { return items + N; }
  const T* begin() const { return items; }
  const T* end() const { return items + N; }

  T items[N];
};

}  // namespace plat
