// The XML configuration reader over arbitrary bytes. Whatever reads without
// error is written and read again: the second registry must write the same
// text as the first, which lists every parameter's kind, name, description
// key or text, flag, range, options and values by priority. A registry
// holding two parameters of one name (letter case ignored) is left out: the
// writer orders those as the registry lists them, newest first, so each
// round turns them about.
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "lib1/plat/Configuration.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/ParameterAlias.h"
#include "lib2/plat/ConfigXml.h"
#include "tests/support/FuzzCheck.h"

using namespace plat;

namespace {

std::string written(const Configuration& config) {
  char* raw = nullptr;
  writeConfigXml(&config, &raw, true);
  return std::unique_ptr<char[]>(raw).get();
}

bool namesDistinct(const Configuration& config) {
  std::set<String, strcasecmp_t> names;
  for (ParameterIterator it(&config, true); it.param; it.next())
    if (!names.insert(String(it.param->name)).second) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data), size);
  Configuration first("first");
  try {
    readConfigXml(&first, in.c_str(), nullptr);
  } catch (const Exception&) {
    return 0;
  }
  if (!namesDistinct(first)) return 0;
  std::string once = written(first);
  Configuration second("second");
  try {
    readConfigXml(&second, once.c_str(), nullptr);
  } catch (const Exception& e) {
    gwtest::fuzzCheck(false, "what was written does not read", in, once + "\n" + e.str());
  }
  std::string twice = written(second);
  gwtest::fuzzCheck(twice == once, "what was written reads otherwise", once, twice);
  return 0;
}
