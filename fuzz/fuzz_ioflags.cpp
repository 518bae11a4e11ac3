// The flag-set reader of the channel over arbitrary bytes. A read either
// throws one of our exceptions or gives a set that, written again and read
// back, is the same set: names are kept byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "lib1/io/Io.h"
#include "lib1/plat/Exception.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::set<plat::String> flags;
  try {
    rdr::MemInStream in(data, int(size));
    io::Io::readFlags(&in, &flags);
  } catch (plat::Exception&) {
    return 0;
  }
  // Names with a NUL byte are cut at it: compare what the set holds.
  rdr::MemOutStream out;
  io::Io::writeFlags(&out, flags);
  rdr::MemInStream again(out.data(), out.length());
  std::set<plat::String> copy;
  io::Io::readFlags(&again, &copy);
  if (copy != flags) abort();
  return 0;
}
