// A text builder over an output stream (as a rule a MemOutStream). After
// every operation the byte at the stream's ptr is a NUL, so the window always
// holds a C string; the NUL is not counted in the stream's length.
#pragma once

#include "lib1/rdr/OutStream.h"

namespace rdr {

class StringWriter {
 public:
  explicit StringWriter(OutStream* os);

  // A negative length means strlen(s); otherwise s stops at its first NUL
  // within length bytes.
  StringWriter& append(const char* s, int length = -1);
  StringWriter& appendChar(char c);
  StringWriter& appendChar(char c, int count);
  StringWriter& prf(const char* format, ...) __attribute__((format(printf, 2, 3)));

 private:
  void ensure(int n);
  void terminate();

  OutStream* os_;
};

}  // namespace rdr
