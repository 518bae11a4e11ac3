// The line and string readers of the input stream over arbitrary bytes, read
// through a memory stream and through a dribbling buffered stream with a tiny
// buffer. Every read either succeeds within its limits or throws one of our
// exceptions.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "lib1/plat/DString.h"
#include "lib1/rdr/BufferedInStream.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"

namespace {

class Dribble : public rdr::BufferedInStream {
 public:
  Dribble(const uint8_t* d, size_t n) : BufferedInStream(7), data(d), size(n) {}
  const uint8_t* data;
  size_t size;
  size_t at = 0;

 protected:
  int read(void* buf, int len) override {
    if (at == size) throw rdr::EndOfStream();
    int n = int(data[at] % 3) + 1;
    if (n > len) n = len;
    if (size_t(n) > size - at) n = int(size - at);
    memcpy(buf, data + at, n);
    at += n;
    return n;
  }
};

void readAll(rdr::InStream& in, unsigned op) {
  plat::DString line;
  char buf[300];
  for (int i = 0; i < 10000; i++) {
    switch ((op + i) % 6) {
      case 0: {
        int n = in.readLine(&line, int(op % 50));
        // A NUL byte inside the line shortens the C string, never lengthens it.
        if (line.length() > n || (op % 50 && n > int(op % 50))) __builtin_trap();
        break;
      }
      case 1: {
        int n = in.readLine(buf, int(op % 20) + 1);
        if (n > int(op % 20) + 1) __builtin_trap();
        break;
      }
      case 2: {
        std::unique_ptr<char[]> s(in.readShortString());
        break;
      }
      case 3: {
        std::unique_ptr<char[]> s(in.readLongString(op * 7));
        break;
      }
      case 4:
        in.readShortString(buf);
        break;
      case 5:
        in.readBoundedU32(op);
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  unsigned op = data[0];
  try {
    rdr::MemInStream mem(data + 1, int(size - 1));
    readAll(mem, op);
  } catch (plat::Exception&) {
  }
  try {
    Dribble dribble(data + 1, size - 1);
    dribble.rewindable = false;
    readAll(dribble, op);
  } catch (plat::Exception&) {
  }
  return 0;
}
