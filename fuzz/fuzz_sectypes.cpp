// Security-type lists, authentication lists and the authentication-method
// record. Every number a list yields is a known security type and every
// method a known method, once; a record that reads writes back to exactly
// the bytes it was read from, and one that does not ends the stream cleanly.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lib1/rdr/Exceptions.h"
#include "lib1/rdr/MemInStream.h"
#include "lib1/rdr/MemOutStream.h"
#include "libs/fb/AuthMethods.h"
#include "libs/svr/SAuthentication.h"
#include "libs/svr/SecurityTypes.h"

namespace {

void check(bool ok, const char* what, const std::string& in) {
  if (ok) return;
  fprintf(stderr, "%s: input \"%s\"\n", what, in.c_str());
  abort();
}

void checkKnownTypes(const fb::SecNums& nums, const std::string& in) {
  for (int n : nums) check(fb::secTypeName(n)[0] != '[', "unknown security type", in);
}

void checkText(const std::string& in) {
  fb::SecNums nums;
  fb::secTypesParse(in.c_str(), &nums);
  checkKnownTypes(nums, in);
  for (int e = 0; e <= svr::SEncInvalid; e++) {
    fb::SecNums derived;
    svr::getSecTypes(svr::SEncryption(e), in.c_str(), &derived);
    checkKnownTypes(derived, in);
  }
  fb::SecNums methods;
  std::vector<plat::String> schemes;
  bool hasNone = false;
  svr::parseAuthStr(in.c_str(), &methods, &hasNone, &schemes);
  for (size_t i = 0; i < methods.size(); i++) {
    check(methods[i] >= 1 && methods[i] <= 4, "unknown method", in);
    for (size_t j = 0; j < i; j++) check(methods[i] != methods[j], "method twice", in);
  }
  check(!hasNone || !schemes.empty(), "None without a scheme", in);
}

void checkRecord(const uint8_t* data, size_t size) {
  rdr::MemInStream in(data, int(size));
  try {
    fb::AuthMethods methods(&in);
    rdr::MemOutStream out;
    methods.serializeOut(&out);
    check(out.length() == in.pos() && memcmp(out.data(), data, size_t(in.pos())) == 0,
          "record did not write back as read", std::string());
  } catch (const rdr::EndOfStream&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  checkText(text.c_str());
  checkRecord(data, size);
  return 0;
}
