// Lexical path handling against a model that rewrites the text until nothing
// changes, and the directory and base parts put back together again.
#include <cstdint>
#include <cstring>
#include <string>

#include "lib1/plat/Path.h"
#include "tests/support/FuzzCheck.h"

namespace {

std::string model(const std::string& path) {
  bool absolute = !path.empty() && path[0] == '/';
  std::string t = "/" + path + "/";
  for (bool changed = true; changed;) {
    changed = false;
    size_t at;
    if ((at = t.find("//")) != std::string::npos) {
      t.erase(at, 1);
      changed = true;
      continue;
    }
    if ((at = t.find("/./")) != std::string::npos) {
      t.erase(at, 2);
      changed = true;
      continue;
    }
    for (at = t.find("/../"); at != std::string::npos && !changed; at = t.find("/../", at + 1)) {
      if (at == 0) {
        if (absolute) {
          t.erase(0, 3);
          changed = true;
        }
        continue;
      }
      size_t prev = t.rfind('/', at - 1);
      if (t.compare(prev + 1, at - prev - 1, "..") != 0) {
        t.erase(prev, at + 3 - prev);
        changed = true;
      }
    }
  }
  if (absolute) return t.size() > 1 ? t.substr(0, t.size() - 1) : t;
  t = t.substr(1);
  if (!t.empty()) t.pop_back();
  return t.empty() ? "." : t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string in(reinterpret_cast<const char*>(data),
                 strnlen(reinterpret_cast<const char*>(data), size));
  std::string c = plat::CanonicalName(in.c_str()).get();
  gwtest::fuzzCheck(c == model(in), "model differs", in, c);
  gwtest::fuzzCheck(std::string(plat::CanonicalName(c.c_str()).get()) == c, "not idempotent", in,
                    c);
  std::string dir = plat::DirName(in.c_str()).get();
  std::string base = plat::BaseName(in.c_str()).get();
  gwtest::fuzzCheck(std::string(plat::CanonicalName(dir.c_str()).get()) == dir, "dir not canonical",
                    in, dir);
  bool endsInParent = c == ".." || (c.size() > 2 && c.compare(c.size() - 3, 3, "/..") == 0);
  if (c != "/" && c != "." && !endsInParent) {
    std::string joined = plat::CanonicalName((dir + "/" + base).c_str()).get();
    gwtest::fuzzCheck(joined == c, "dir and base do not rebuild the path", in, joined);
  }
  return 0;
}
