#include "lib1/plat/FdSet.h"

#include <sys/select.h>

#include <cstring>

namespace plat {

static_assert(sizeof(fd_set) % sizeof(unsigned long) == 0 && alignof(fd_set) <= alignof(long),
              "fd_set must be an array of longs for FdSet to stand in for it");

void FdSet::cover(int nWords) {
  if (nWords <= used_) return;
  memset(words_ + used_, 0, size_t(nWords - used_) * sizeof(Word));
  used_ = nWords;
}

bool FdSet::add(int fd) {
  if (fd < 0 || fd >= kMaxFds) return false;
  cover(fd / kBits + 1);
  words_[fd / kBits] |= Word(1) << (fd % kBits);
  return true;
}

void FdSet::remove(int fd) {
  if (fd < 0 || fd / kBits >= used_) return;
  words_[fd / kBits] &= ~(Word(1) << (fd % kBits));
}

bool FdSet::isEmpty() const {
  for (int i = 0; i < used_; i++)
    if (words_[i]) return false;
  return true;
}

int FdSet::select(int nfds, FdSet* read, FdSet* write, FdSet* except, timeval* limit) {
  if (nfds < 0) nfds = 0;
  if (nfds > kMaxFds) nfds = kMaxFds;
  // The kernel reads and writes back whole words up to nfds in every set it
  // is given, so each must be defined that far.
  int nWords = (nfds + kBits - 1) / kBits;
  FdSet* sets[3] = {read, write, except};
  for (FdSet* s : sets)
    if (s) s->cover(nWords);
  int r = ::select(nfds, read ? reinterpret_cast<fd_set*>(read->words_) : nullptr,
                   write ? reinterpret_cast<fd_set*>(write->words_) : nullptr,
                   except ? reinterpret_cast<fd_set*>(except->words_) : nullptr, limit);
  // Descriptors at or above nfds were not looked at: they are not ready.
  if (r >= 0)
    for (FdSet* s : sets)
      if (s && s->used_ > nWords) s->used_ = nWords;
  return r;
}

}  // namespace plat
