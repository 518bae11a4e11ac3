// The byte streams by name alone, for headers that take them by pointer or
// reference: such a header need not pull in the stream classes, and its
// users need not rebuild when those change.
#pragma once

namespace rdr {
class InStream;
class OutStream;
}  // namespace rdr
