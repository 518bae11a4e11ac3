// Permission strings: a text that parses is kept as given, and its canonical
// text parses back to the same states and prints the same; a text that does
// not parse leaves the set exactly as it was.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lib1/plat/Exception.h"
#include "libs/svr/Permissions.h"

namespace {

void check(bool ok, const char* what, const std::string& in) {
  if (ok) return;
  fprintf(stderr, "%s: input \"%s\"\n", what, in.c_str());
  abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  in = in.c_str();  // a C string ends at the first NUL
  svr::Permissions before("sk!q");
  svr::Permissions set(before);
  try {
    set.parse(in.c_str());
  } catch (const plat::Exception&) {
    check(set.isExactlyEqual(before) && set.isStringEqual(before), "failed parse changed the set",
          in);
    return 0;
  }
  check(in == set.getString(), "kept text differs", in);
  svr::Permissions canonical(set);
  canonical.setExpandedString();
  svr::Permissions again(canonical.getString());
  check(again.isExactlyEqual(set), "canonical text reads differently", in);
  again.setExpandedString();
  check(again.isStringEqual(canonical), "canonical text is not stable", in);
  return 0;
}
