// The command line: arbitrary argument vectors (the input split at NUL bytes)
// against a registry holding one parameter of each kind, an alias and a
// child registry.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "lib1/plat/BinaryParameter.h"
#include "lib1/plat/BoolParameter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"
#include "lib1/plat/Utf8.h"

using namespace plat;

namespace {

const char* const kNames[] = {"red", "green", "blue", nullptr};
const unsigned char kBytes[] = {0xde, 0xad};

struct Registry {
  Configuration conf{"Fuzz"};
  Configuration child{"Child"};
  BoolParameter flag{"Flag", "", false, false, &conf};
  IntParameter count{"Count", "", 5, false, &conf, -10, 1000};
  EnumParameter colour{"Colour", "", "green", kNames, false, &conf};
  StringParameter text{"Text", "", "t", false, &conf};
  S64Parameter big{"Big", "", 1, false, &conf};
  BinaryParameter bytes{"Bytes", "", CBuf<unsigned char>{2, kBytes}, &conf, false};
  StringParameter inner{"Inner", "", "", false, &child};
  ParameterAlias both{"Flag", "Count"};
  Registry() {
    conf.registerChild(&child, true);
    conf.addAlias("Both", &both);
  }
  void reset() {
    for (ParameterIterator it(&conf, true); it.param; it.next()) it.param->unsetParam(50, false);
  }
};

void usage(Configuration::UsageType, Configuration*) {}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Registry* r = new Registry;
  r->reset();
  std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  size_t start = 0;
  for (size_t i = 0; i <= size; i++) {
    if (i == size || input[i] == 0) {
      args.push_back(input.substr(start, i - start));
      start = i + 1;
    }
  }
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  try {
    r->conf.processParamArgs(argv.data(), size % 2 ? usage : nullptr);
  } catch (const Exception&) {
  }
  // Whatever happened, every value is one its parameter accepts.
  for (ParameterIterator it(&r->conf, true); it.param; it.next()) {
    int priority = it.param->getPriority();
    if (priority != 50 && priority != 100) __builtin_trap();
  }
  if (!isValidUtf8(r->text.getValue()) || !isValidUtf8(r->inner.getValue())) __builtin_trap();
  if (r->count.getValue() < -10 || r->count.getValue() > 1000) __builtin_trap();
  if (r->colour.getValue() < 0 || r->colour.getValue() > 2) __builtin_trap();
  const char* big = r->big.StringParameter::getValue();
  if (strlen(big) != 22 || strncmp(big, "int64:", 6) != 0) __builtin_trap();
  return 0;
}
