#include "lib1/io/Endpoint.h"

#include <climits>
#include <cstring>

#include "AddLocStrings_io.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Hex.h"
#include "lib1/plat/StrUtil.h"

namespace io {

namespace {

AddLocStrings_io addLocStrings;

// Looked up at the moment of the throw, so the text follows the language in
// force then.
[[noreturn]] void invalid(const char* key) {
  throw plat::Exception(loc::localize(loc::msgid_t(key)), "EndpointInvalid");
}

const char* const kBadEscape = "io_error_endpoint_badescape";
const char* const kBadPort = "io_error_endpoint_badport";
const char* const kBracket = "io_error_endpoint_bracket";
const char* const kEmpty = "io_error_endpoint_empty";
const char* const kGeneral = "io_error_endpoint_general";

bool hasBracket(const char* begin, const char* end) {
  for (const char* p = begin; p < end; p++)
    if (*p == '[' || *p == ']') return true;
  return false;
}

// Kept unescaped: letters, digits, "&" to ".", the listed marks, the space
// and every byte of a multi-byte UTF-8 sequence.
bool keptInFragment(unsigned char c) {
  return c >= 0x80 || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
         (c >= '&' && c <= '.') || strchr("!$;=_~ ", c) != nullptr;
}

}  // namespace

plat::String escapeAddress(const char* address) {
  if (address && strchr(address, ':') && address[0] != '[')
    return plat::String(plat::DPrintf("[%s]", address).get());
  return plat::String(address);
}

plat::String unescapeAddress(const char* address) {
  if (!address || address[0] != '[') return plat::String(address);
  int len = plat::strLen(address);
  if (len < 2 || address[len - 1] != ']') invalid(kBracket);
  return plat::String(address + 1, len - 2);
}

plat::String composeEndpoint(const char* host, int port, int basePort, int range) {
  plat::String escaped = escapeAddress(host);
  if (port == basePort) return escaped;
  plat::DString out;
  out.append(escaped.isNull() ? "" : escaped.get());
  if (range != 0 && basePort >= 0 && port >= basePort && (long long)port - basePort < range)
    out.prf(":%d", port - basePort);
  else if (range == 0)
    out.prf(":%d", port);
  else
    out.prf("::%d", port);
  return plat::String(out.get());
}

void parseEndpoint(const char* endpoint, char** host, int* port, int basePort, int range) {
  delete[] * host;
  *host = nullptr;
  const char* text = endpoint ? endpoint : "";

  const char* hostEnd;
  bool bracketed = text[0] == '[';
  if (bracketed) {
    const char* close = strchr(text, ']');
    if (!close) invalid(kBracket);
    if (close == text + 1) invalid(kEmpty);
    hostEnd = close + 1;
  } else {
    hostEnd = text + strcspn(text, ":");
  }

  const char* rest = nullptr;
  bool direct = false;
  if (*hostEnd == ':') {
    direct = hostEnd[1] == ':';
    rest = hostEnd + (direct ? 2 : 1);
  } else if (*hostEnd) {
    invalid(kGeneral);
  }
  if (rest && !*rest) rest = nullptr;  // "host:" and "host::" name no port

  bool havePort = false;
  long long value = 0;
  if (rest) {
    int n;
    if (!plat::strToInt(&n, rest, 10) || !port) invalid(kBadPort);
    value = n;
    if (!direct && basePort >= 0 && n >= 0 && n < range) value += basePort;
    havePort = true;
  } else if (port) {
    if (basePort < 0) invalid(kBadPort);
    value = basePort;
    havePort = true;
  }
  if (havePort) {
    *port = value > INT_MAX ? INT_MAX : int(value);
    if (value < 1 || value > 65535) invalid(kBadPort);
  }

  if (hostEnd == text) {
    *host = plat::strDup("localhost");
    return;
  }
  if (bracketed ? hasBracket(text + 1, hostEnd - 1) : hasBracket(text, hostEnd)) invalid(kGeneral);
  *host = plat::strDup(text, int(hostEnd - text));
}

plat::String composeHostFragment(const char* text) {
  plat::DString out(128);
  for (const char* p = text ? text : ""; *p; p++) {
    unsigned char c = *p;
    if (keptInFragment(c))
      out.append(p, 1);
    else
      out.prf("%%%.2X", c);
  }
  return plat::String(out.get());
}

plat::String parseHostFragment(const char* text, bool plusIsSpace) {
  plat::DString out(128);
  for (const char* p = text ? text : ""; *p; p++) {
    if (*p == '+' && plusIsSpace) {
      out.append(" ", 1);
    } else if (*p == '%') {
      int high = plat::hexDigitValue(p[1]);
      int low = high < 0 ? -1 : plat::hexDigitValue(p[2]);
      if (low < 0 || (high | low) == 0) invalid(kBadEscape);
      char c = char(high << 4 | low);
      out.append(&c, 1);
      p += 2;
    } else {
      out.append(p, 1);
    }
  }
  return plat::String(out.get());
}

}  // namespace io
