// Thin wrappers over the system resolver, and the exception that carries its
// status. The status is the resolver's own EAI_ code, kept so that callers
// can tell a missing name from a temporary failure; locStr() gives the text
// to show a user.
#pragma once

#include <netdb.h>

#include "lib1/plat/Exception.h"

namespace io {

// getaddrinfo's status, unchanged (0 on success).
int getAddrInfo(const char* node, const char* service, const addrinfo* hints, addrinfo** result);
void freeAddrInfo(addrinfo* list);

class GetAddrInfoException : public plat::Exception {
 public:
  // call names the failed function ("getaddrinfo" or "getnameinfo"); the
  // message is "<call>: '<system text>' (<code>)".
  GetAddrInfoException(const char* call, int code);

  // The user's-language text for a missing name, a temporary failure or a
  // name without address; the message itself for any other status.
  const char* locStr() const;

  int error;
};

}  // namespace io
