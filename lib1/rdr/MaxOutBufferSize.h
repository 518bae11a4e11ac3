#pragma once
namespace rdr {
// The `MaxOutBufferSize` setting: how far a buffered output stream may grow
// for a slow sink. Read when such a stream is built without its own limit.
int maxOutBufferSize();
}  // namespace rdr
