// Endpoint texts: whatever parses must compose into a text that parses back
// to the same host and port, under each kind of base port and range. Host
// fragments likewise decode, encode and decode again to the same text.
#include <cstdint>
#include <cstring>
#include <string>

#include "lib1/io/Endpoint.h"
#include "lib1/plat/Exception.h"
#include "tests/support/FuzzCheck.h"

namespace {

struct Setting {
  int base, range;
  bool wantsPort;
};

const Setting kSettings[] = {
    {5900, 100, true}, {-1, -1, true},    {0, 0, true},       {5900, 0, true},
    {-10, 100, true},  {65535, 10, true}, {5900, 100, false}, {-1, 0, false},
};

void roundTrip(const std::string& in, const Setting& s) {
  char* host = nullptr;
  int port = -1;
  int* portOut = s.wantsPort ? &port : nullptr;
  try {
    io::parseEndpoint(in.c_str(), &host, portOut, s.base, s.range);
  } catch (const plat::Exception&) {
    gwtest::fuzzCheck(host == nullptr, "host left after a failure", in, host ? host : "");
    return;
  }
  std::string first = host;
  std::string text = io::composeEndpoint(host, s.wantsPort ? port : s.base, s.base, s.range).get();
  int firstPort = port;
  try {
    io::parseEndpoint(text.c_str(), &host, portOut, s.base, s.range);
  } catch (const plat::Exception& e) {
    gwtest::fuzzCheck(false, "composed text does not parse", in, text + " (" + e.str() + ")");
  }
  gwtest::fuzzCheck(first == host && port == firstPort, "composed text reads differently", in,
                    text);
  delete[] host;
}

void fragmentRoundTrip(const std::string& in) {
  plat::String decoded;
  try {
    decoded = io::parseHostFragment(in.c_str(), in.size() % 2);
  } catch (const plat::Exception&) {
    return;
  }
  plat::String encoded = io::composeHostFragment(decoded.get());
  std::string again = io::parseHostFragment(encoded.get(), false).get();
  gwtest::fuzzCheck(again == decoded.get(), "fragment does not decode back", in, again);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data),
                 strnlen(reinterpret_cast<const char*>(data), size));
  for (const Setting& s : kSettings) roundTrip(in, s);
  fragmentRoundTrip(in);
  return 0;
}
