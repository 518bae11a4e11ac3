// Wildcard matching against a plain dynamic-programming matcher: the first
// byte picks case sensitivity and whether "*" is special, the rest is the
// pattern and the text separated by a NUL.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "lib1/plat/Wildcard.h"

namespace {

bool reference(const std::string& p, const std::string& t, bool caseSensitive, bool star) {
  auto same = [&](char a, char b) {
    return caseSensitive
               ? a == b
               : tolower(static_cast<unsigned char>(a)) == tolower(static_cast<unsigned char>(b));
  };
  // m[i][j]: the first i pattern bytes match the first j text bytes.
  std::vector<std::vector<char>> m(p.size() + 1, std::vector<char>(t.size() + 1, 0));
  m[0][0] = 1;
  for (size_t i = 1; i <= p.size(); i++)
    for (size_t j = 0; j <= t.size(); j++)
      m[i][j] = star && p[i - 1] == '*' ? m[i - 1][j] || (j && m[i][j - 1])
                                        : j && m[i - 1][j - 1] && same(p[i - 1], t[j - 1]);
  return m[p.size()][t.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1 || size > 512) return 0;
  bool caseSensitive = data[0] & 1;
  unsigned flags = (data[0] & 2) ? unsigned(plat::Wildcard::STAR) : 0u;
  std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  size_t nul = rest.find('\0');
  std::string pattern = rest.substr(0, nul);
  std::string text = nul == std::string::npos ? "" : rest.substr(nul + 1);
  text = text.c_str();  // the matcher reads C strings
  bool got = plat::Wildcard::match(pattern.c_str(), text.c_str(), caseSensitive, flags);
  if (got != reference(pattern, text, caseSensitive, flags != 0)) {
    fprintf(stderr, "pattern '%s' text '%s' caseSensitive %d flags %u: got %d\n", pattern.c_str(),
            text.c_str(), caseSensitive, flags, got);
    abort();
  }
  return 0;
}
