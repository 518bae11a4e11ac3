// Streams can dump every chunk they move to standard error, for debugging.
#pragma once

namespace plat {
void hexDump(const char* prefix, const char* linePrefix, const unsigned char* data, int len);
}

namespace rdr {

inline void dumpChunk(const char* prefix, const unsigned char* data, int len) {
  plat::hexDump(prefix, "     ", data, len);
}

}  // namespace rdr
