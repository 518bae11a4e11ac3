// Environment references in paths against a plain model that walks the text
// by index. The input's first byte picks strictness and whether a table of
// names is given; three short names and values follow, each ended by a NUL,
// then the text. Two names are also put into the environment, so that both
// places a name is looked up in, and their order, are exercised.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>

#include "lib1/plat/EnvExpand.h"
#include "lib1/plat/Exception.h"

namespace {

bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The expansion, or no value with *unknown set to the first unset name when
// strict.
std::optional<std::string> reference(const std::string& text,
                                     const std::map<std::string, std::string>* vars, bool strict,
                                     std::string* unknown) {
  auto lookup = [&](const std::string& name, std::string* out) {
    if (vars) {
      auto it = vars->find(name);
      if (it != vars->end()) {
        *out += it->second;
        return true;
      }
    }
    if (const char* value = getenv(name.c_str())) {
      *out += value;
      return true;
    }
    return !strict;
  };
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] != '$') {
      out += text[i++];
      continue;
    }
    i++;
    std::string name;
    if (i < text.size() && text[i] == '$') {
      out += '$';
      i++;
      continue;
    }
    if (i < text.size() && text[i] == '{') {
      size_t close = text.find('}', i + 1);
      size_t end = close == std::string::npos ? text.size() : close;
      name = text.substr(i + 1, end - i - 1);
      i = close == std::string::npos ? end : close + 1;
      if (name.empty()) {
        out += '$';
        continue;
      }
    } else {
      while (i < text.size() && isNameChar(text[i])) name += text[i++];
      if (name.empty()) continue;
    }
    if (!lookup(name, &out)) {
      *unknown = name;
      return std::nullopt;
    }
  }
  return out;
}

void check(bool ok, const char* what, const std::string& text) {
  if (!ok) {
    fprintf(stderr, "%s; text '%s'\n", what, text.c_str());
    abort();
  }
}

// Reads up to the next NUL (or the end), consuming the NUL.
std::string field(const uint8_t*& p, const uint8_t* end) {
  std::string s;
  while (p < end && *p) s += char(*p++);
  if (p < end) p++;
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("GWFUZZ_A", "env-a", 1);
  setenv("B", "$B{}", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 2048) return 0;
  bool strict = data[0] & 1;
  bool withVars = data[0] & 2;
  const uint8_t* p = data + 1;
  const uint8_t* end = data + size;
  std::map<std::string, std::string> model;
  std::map<plat::String, plat::String> vars;
  for (int i = 0; i < 3; i++) {
    std::string name = field(p, end);
    std::string value = field(p, end);
    model[name] = value;
    vars[plat::String(name.c_str())] = plat::String(value.c_str());
  }
  std::string text = field(p, end);

  std::string unknown;
  std::optional<std::string> want = reference(text, withVars ? &model : nullptr, strict, &unknown);
  try {
    plat::EnvExpand got(text.c_str(), withVars ? &vars : nullptr, strict);
    check(want.has_value(), "expanded although a name is unset", text);
    check(*want == got.get(), "expansion differs from the model", text);
  } catch (const plat::Exception& e) {
    check(!want.has_value(), "threw although every name is set", text);
    std::string message = "unknown environment variable: " + unknown;
    std::string thrown = e.str();
    // The message is held in a fixed 256-byte buffer, cut on a character boundary.
    check(message.compare(0, thrown.size(), thrown) == 0, "message names the unset variable", text);
    check(thrown.size() == message.size() || thrown.size() + 4 > 255, "message cut short", text);
  }
  return 0;
}
