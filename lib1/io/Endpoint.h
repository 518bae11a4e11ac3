// The text form of a network endpoint: a host, optionally followed by a port.
//
//   endpoint  := host-part [ ":" display | "::" port ]
//   host-part := "[" text "]" | text without ":" | nothing ("localhost")
//
// A display number n with 0 <= n < range stands for basePort + n; any other
// number (and every number when basePort is negative) is the port itself.
// IPv6 addresses are written in brackets so that their colons cannot be taken
// for the port separator. Every error is a plat::Exception of type
// "EndpointInvalid" whose message is in the user's language.
#pragma once

#include "lib1/plat/String.h"

namespace io {

// address in brackets when it holds a ":" and does not begin with "[".
// Null gives null.
plat::String escapeAddress(const char* address);
// The text inside the brackets of "[...]"; a text that opens a bracket must
// end with "]". Anything else (or null) comes back unchanged.
plat::String unescapeAddress(const char* address);

// The endpoint text that parseEndpoint reads back as host and port. The
// display form is used only with a non-negative base port, since that is the
// only case in which parseEndpoint reads it as a display number.
plat::String composeEndpoint(const char* host, int port, int basePort, int range);

// Splits endpoint into a host and a port. *host is the caller's: whatever it
// holds on entry is freed (array delete); it is null after a failure and a
// fresh copy after success. The host keeps its brackets ("[::1]"). A null
// port means the caller takes no port, and a written one is then an error.
// After a port outside 1..65535, *port holds the rejected number.
void parseEndpoint(const char* endpoint, char** host, int* port, int basePort, int range);

// Percent-encoding of a host fragment ("%3A" for ":") and its decoding.
// Decoding rejects an escape that is cut short, not hexadecimal, or "%00":
// a NUL would silently end the text there.
plat::String composeHostFragment(const char* text);
plat::String parseHostFragment(const char* text, bool plusIsSpace);

}  // namespace io
