#include "lib1/rdr/MemInStream.h"

#include "lib1/rdr/Exceptions.h"

namespace rdr {

MemInStream::~MemInStream() {
  if (deleteWhenDone) delete[] start;
}

bool MemInStream::overrun(int) { throw EndOfStream(); }

}  // namespace rdr
