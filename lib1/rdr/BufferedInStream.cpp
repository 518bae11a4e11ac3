#include "lib1/rdr/BufferedInStream.h"

#include <climits>
#include <cstring>

#include "lib1/plat/Hex.h"

namespace rdr {

BufferedInStream::BufferedInStream(int size)
    : bufSize(size < 0 ? DEFAULT_BUF_SIZE : size), start(new unsigned char[bufSize]) {
  ptr = end = checkpointPtr = start;
}

BufferedInStream::~BufferedInStream() { delete[] start; }

int BufferedInStream::pos() {
  long long p = offset + (ptr - start);
  return p > INT_MAX ? INT_MAX : int(p);
}

bool BufferedInStream::overrun(int itemSize) {
  keepFromCheckpoint(start, &offset);
  int room = int(start + bufSize - ptr);
  int want = itemSize < room ? itemSize : room;
  while (end - ptr < want) {
    unsigned char* fill = start + (end - start);
    int n = read(fill, int(start + bufSize - end));
    if (n == 0) return false;
    if (hexDumpData) plat::hexDump(" <-- ", "     ", fill, n);
    end += n;
  }
  return true;
}

}  // namespace rdr
