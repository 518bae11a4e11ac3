#include "lib1/plat/SplitterInPlace.h"

#include <cstring>

namespace plat {

char* SplitterInPlace::take(char* cut, int skip) {
  char* piece = rest_;
  if (cut) {
    *cut = 0;
    rest_ = cut + skip;
  } else {
    rest_ = nullptr;
  }
  return piece;
}

// A NUL separator would be found at the terminator and move the rest past
// the end of the text, so it counts as absent: the whole rest is the piece.
char* SplitterInPlace::next(char sep) {
  if (!rest_) return nullptr;
  return take(sep ? strchr(rest_, sep) : nullptr, 1);
}

char* SplitterInPlace::nextOneOf(const char* seps, char* found) {
  if (found) *found = 0;
  if (!rest_) return nullptr;
  char* cut = seps ? strpbrk(rest_, seps) : nullptr;
  if (cut && found) *found = *cut;
  return take(cut, 1);
}

// An empty separator would give endless empty pieces without moving on, so
// it counts as absent.
char* SplitterInPlace::nextString(const char* sep) {
  if (!rest_) return nullptr;
  int len = sep ? int(strlen(sep)) : 0;
  return take(len ? strstr(rest_, sep) : nullptr, len);
}

char* SplitterInPlace::last(char sep) {
  if (!rest_) return nullptr;
  char* cut = sep ? strrchr(rest_, sep) : nullptr;
  if (!cut) return take(nullptr, 0);
  *cut = 0;
  return cut + 1;
}

}  // namespace plat
