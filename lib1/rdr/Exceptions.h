// The stream exceptions. All are plat::Exception values.
#pragma once

#include "lib1/plat/Exception.h"

namespace rdr {

struct EndOfStream : plat::Exception {
  EndOfStream() : Exception("End of stream", "EndOfStream") {}
};

// The source has no data now and the reader asked to wait.
struct BlockException : plat::Exception {
  BlockException() : Exception("Reading from InStream would block") {}
};

// A source that ends a message; line readers take it like the end of stream.
struct EndOfMsg : plat::Exception {
  explicit EndOfMsg(const char* message = "End of message") : Exception(message, "EndOfMsg") {}
};

struct StringTooLongException : plat::Exception {
  StringTooLongException() : Exception("String exceeds maximum length", "StringTooLongException") {}
};

struct OutStreamFull : plat::Exception {
  OutStreamFull() : Exception("OutStream full", "OutStreamFull") {}
};

}  // namespace rdr
