// Regions read from arbitrary bytes, whole and in dribbles that run dry
// (the read resumes each time). A region that is accepted must write back
// to exactly the bytes it was read from, and must survive the set algebra
// with itself; one that is refused must be left empty.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "lib1/rdr/BufferedInStream.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "lib2/fb/Region.h"

namespace {

class Dribble : public rdr::BufferedInStream {
 public:
  Dribble(const uint8_t* d, size_t n) : BufferedInStream(64), data(d), size(n) {}
  const uint8_t* data;
  size_t size;
  size_t at = 0;
  size_t allowed = 0;

 protected:
  int read(void* buf, int len) override {
    if (at == size) throw rdr::EndOfStream();
    size_t n = std::min({size_t(len), size - at, allowed > at ? allowed - at : 0});
    if (n == 0) throw rdr::BlockException();
    memcpy(buf, data + at, n);
    at += n;
    return int(n);
  }
};

void check(const fb::Region& r, const uint8_t* data, size_t used) {
  rdr::MemOutStream out;
  r.write(&out);
  if (size_t(out.length()) != used || memcmp(out.data(), data, used) != 0) __builtin_trap();
  fb::Region u, i, s;
  u.assign_union(r, r);
  i.assign_intersect(r, u);
  s.assign_subtract(u, i);
  if (!u.equals(r) || !i.equals(r) || !s.equals(fb::Region())) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  fb::Region whole;
  rdr::MemInStream mem(data, int(size));
  bool accepted = false;
  try {
    whole.read(&mem);
    accepted = true;
  } catch (rdr::EndOfStream&) {
  } catch (plat::Exception&) {
    if (!whole.equals(fb::Region())) __builtin_trap();
  }
  if (accepted) check(whole, data, size_t(mem.pos()));

  fb::Region pieces;
  Dribble dribble(data, size);
  for (dribble.allowed = 1;; dribble.allowed += 1 + data[dribble.allowed % size] % 7) {
    try {
      pieces.read(&dribble);
      break;
    } catch (rdr::BlockException&) {
    } catch (plat::Exception&) {
      if (accepted) __builtin_trap();
      return 0;
    }
  }
  if (!accepted || !pieces.equals(whole)) __builtin_trap();
  return 0;
}
