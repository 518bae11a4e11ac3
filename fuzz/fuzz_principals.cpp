// Principal lists: a value that loads saves into a text that loads back to
// the same principals in the same order and saves to the same text; a value
// that does not load leaves the store and the parameter as they were.
#include <cstdint>
#include <string>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/Exception.h"
#include "libs/svr/SecurityPrincipalStore.h"
#include "tests/support/FakeResolver.h"
#include "tests/support/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static gwtest::FakeResolver resolver;
  static plat::Configuration conf("Fuzz");
  static plat::StringParameter param("Permissions", "", "", false, &conf);
  std::string in(reinterpret_cast<const char*>(data), size);
  in = in.c_str();
  try {
    param.setParam(in.c_str(), 50);
  } catch (const plat::Exception&) {
    return 0;  // not UTF-8: no parameter holds such a value
  }
  svr::SecurityPrincipalStore store;
  store.add(new svr::SecurityPrincipal("keep", svr::Permissions("s"), false, nullptr));
  try {
    store.load(param, false);
  } catch (const plat::Exception&) {
    gwtest::fuzzCheck(
        store.size() == 1 && std::string(store.get(0)->getId()) == "keep" && in == param.getValue(),
        "failed load changed something", in, "");
    return 0;
  }
  store.save(&param, 50);
  std::string saved = param.getValue();
  svr::SecurityPrincipalStore again;
  try {
    again.load(param, false);
  } catch (const plat::Exception& e) {
    gwtest::fuzzCheck(false, "saved text does not load", in, saved + " (" + e.str() + ")");
  }
  gwtest::fuzzCheck(again.size() == store.size(), "saved text loads another number", in, saved);
  for (int i = 0; i < store.size(); i++) {
    const svr::SecurityPrincipal *a = store.get(i), *b = again.get(i);
    gwtest::fuzzCheck(a->isGroup() == b->isGroup() && std::string(a->getId()) == b->getId() &&
                          a->getPermissions().isExactlyEqual(b->getPermissions()),
                      "saved text loads different principals", in, saved);
  }
  again.save(&param, 50);
  gwtest::fuzzCheck(saved == param.getValue(), "saving again gives another text", in,
                    param.getValue());
  return 0;
}
