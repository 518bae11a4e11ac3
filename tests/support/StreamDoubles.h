// Test doubles for the streams: the contents of a memory stream, a source
// that hands out its bytes in chunks and can run dry, and a sink that accepts
// only what it is allowed to.
#pragma once

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "lib1/rdr/BufferedInStream.h"
#include "lib1/rdr/BufferedOutStream.h"
#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemOutStream.h"

namespace gwtest {

// What a memory stream holds, as a string.
inline std::string bytesOf(rdr::MemOutStream& out) {
  return std::string(reinterpret_cast<const char*>(out.data()), size_t(out.length()));
}

class ChunkSource : public rdr::BufferedInStream {
 public:
  ChunkSource(std::string bytes, int bufferSize, int chunkSize = 1 << 30, bool canRewind = true)
      : rdr::BufferedInStream(bufferSize), data(std::move(bytes)), chunk(chunkSize) {
    rewindable = canRewind;
  }

  std::string data;
  size_t at = 0;
  size_t available = std::string::npos;  // bytes the source may hand out now
  int chunk;
  int reads = 0;

 protected:
  int read(void* buf, int len) override {
    reads++;
    if (at == data.size()) throw rdr::EndOfStream();
    size_t limit = available == std::string::npos ? data.size() : available;
    size_t n = std::min({size_t(len), size_t(chunk), limit - std::min(limit, at)});
    n = std::min(n, data.size() - at);
    if (n == 0) return 0;
    memcpy(buf, data.data() + at, n);
    at += n;
    return int(n);
  }
};

class SlowSink : public rdr::BufferedOutStream {
 public:
  SlowSink(int bufferSize, int maxBufferSize) : rdr::BufferedOutStream(bufferSize, maxBufferSize) {}
  using rdr::BufferedOutStream::write;

  std::string received;
  size_t acceptWithoutWaiting = 0;  // bytes taken from non-waiting writes

 protected:
  int write(const void* data, int length, bool wait) override {
    size_t n = size_t(length);
    if (!wait) {
      n = std::min(n, acceptWithoutWaiting);
      acceptWithoutWaiting -= n;
    }
    received.append(static_cast<const char*>(data), n);
    return int(n);
  }
};

}  // namespace gwtest
