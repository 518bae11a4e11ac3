// A descriptor set for select() that holds descriptors 0 to 65,535. The C
// library's fd_set holds only 1,024 and aborts beyond; the kernel accepts
// larger sets of the same layout, so every select() caller uses this type.
//
// Clearing is cheap: only the words up to the highest descriptor added are
// ever zeroed, which keeps a set of 8 KiB affordable on every loop turn.
#pragma once

#include <sys/time.h>

namespace plat {

class FdSet {
 public:
  static constexpr int kMaxFds = 65536;

  FdSet() = default;  // empty; the words are zeroed as they come into use

  void clear() { used_ = 0; }
  // False (and nothing added) for a descriptor outside 0 to kMaxFds - 1.
  bool add(int fd);
  void remove(int fd);
  bool contains(int fd) const {
    return fd >= 0 && fd < kMaxFds && fd / kBits < used_ &&
           (words_[fd / kBits] >> (fd % kBits)) & 1;
  }
  bool isEmpty() const;

  // select() over descriptors 0 to nfds - 1 of the given sets (any may be
  // null); nfds is clamped to kMaxFds. Afterwards each set holds the ready
  // descriptors. Returns what select() returns, with errno.
  static int select(int nfds, FdSet* read, FdSet* write, FdSet* except, timeval* limit);

 private:
  using Word = unsigned long;  // the kernel's unit: bit fd % 64 of word fd / 64
  static constexpr int kBits = 8 * sizeof(Word);
  static constexpr int kWords = kMaxFds / kBits;

  void cover(int nWords);

  int used_ = 0;  // words_[0 .. used_) are valid; the rest are undefined
  Word words_[kWords];
};

}  // namespace plat
