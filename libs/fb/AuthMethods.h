// The authentication methods a server offers, by number and by name, and
// the record that carries a list of them: a big-endian U16 count, then per
// method a U16 number, a U16 data length and that many opaque bytes.
//
// Reading builds the whole list or nothing: a record cut short throws the
// stream's end-of-data exception and no method read before it survives.
// Writing checks that every number, length and the count fit their 16-bit
// fields before it writes a byte, so a list too large for the record is an
// error rather than a corrupt record.
#pragma once

#include <vector>

#include "lib1/plat/Buffers.h"
#include "lib1/rdr/Forward.h"

namespace fb {

// The number of the named method (case-insensitive), else 0. Number 4 has
// two names, "GssApi" and "SingleSignOn".
int authMethodNum(const char* name);
// The first name of method n, else "[unknown authMethod n]" in one fixed
// buffer that the next such call overwrites.
const char* authMethodName(int n);

struct AuthMethod {
  AuthMethod() = default;
  explicit AuthMethod(rdr::InStream* in);
  AuthMethod(AuthMethod&&) = default;
  AuthMethod& operator=(AuthMethod&&) = default;

  // Throws plat::Exception when the number or the data does not fit.
  void checkFits() const;
  void serializeOut(rdr::OutStream* out) const;

  int num = 0;
  plat::MBuf<unsigned char> data;  // method-specific, never secure
};

class AuthMethods : public std::vector<AuthMethod> {
 public:
  AuthMethods() = default;
  explicit AuthMethods(rdr::InStream* in);

  void serializeOut(rdr::OutStream* out) const;
  // The first method numbered n, else null.
  const AuthMethod* find(int n) const;
};

}  // namespace fb
