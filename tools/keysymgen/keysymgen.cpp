// Writes the keysym tables from the X11 keysym header (keysymdef.h):
//
//   gw_keysymgen keysymdef.h OUTDIR
//
// - KeysymUnicode.inc, kKeysymUnicode: {keysym, code point} for the legacy keysym blocks, from
//   the "U+XXXX" comments (the parenthesised nearest matches included), after
//   the five function keys that produce control characters. Each keysym
//   and each code point appears once: the first wins. The program's table is
//   an older edition than the header's comments: kKeptOut and kRetold below
//   turn the one into the other, and a header without those rows stops the
//   build.
// - DeadKeyTables.inc, kDeadLatin1 ... kDeadGreek: {result, dead key, base} rows, derived from
//   the keysym names ("Agrave" is dead_grave on "A"), plus the rows that put a
//   dead key on space to get its spacing accent.
// A header that yields no table stops the build.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

struct Keysym {
  std::string name;
  uint32_t value;
  long unicode;  // -1: none given
};

std::vector<Keysym> keysyms;
std::map<std::string, uint32_t> byName;

struct Row {
  uint32_t result, dead, base;
};

[[noreturn]] void die(const std::string& what) {
  fprintf(stderr, "gw_keysymgen: %s\n", what.c_str());
  exit(1);
}

uint32_t named(const std::string& name) {
  auto it = byName.find(name);
  if (it == byName.end()) die("the header has no keysym " + name);
  return it->second;
}

// Rows of the header's correspondence that the program's table does not
// have. 0x6AD and 0x6BD (ghe with upturn) came later. 0x8A2, 0x8A3 and 0x8A6
// are later nearest matches that would take the box-drawing characters of
// the line pieces 0x9EC, 0x9F1 and 0x9F8. 0xABC and 0xABE point at U+2329 and
// U+232A, which Unicode deprecates (normalisation turns them into U+3008 and
// U+3009). The rest are nearest matches to Latin-1 characters, which are
// keysyms of their own.
const uint32_t kKeptOut[] = {0x6ad, 0x6bd, 0x8a2, 0x8a3, 0x8a6, 0xabc,
                             0xabd, 0xabe, 0xba3, 0xba6, 0xbc0, 0xbc6};

// The APL tacks are named for the side their bar is on, Unicode's for the
// way the stem points: the table gives downtack (bar below) U+22A5 UP TACK,
// and its three siblings likewise the opposite of the header's comments.
const std::pair<uint32_t, uint32_t> kRetold[] = {
    {0xbc2, 0x22a5}, {0xbce, 0x22a4}, {0xbdc, 0x22a2}, {0xbfc, 0x22a3}};

std::string hex(uint32_t v) {
  char text[16];
  snprintf(text, sizeof text, "0x%x", v);
  return text;
}

bool inLegacyBlock(uint32_t k) {
  return (k >= 0x1a1 && k <= 0x3fe) || (k >= 0x400 && k <= 0xeff) || (k >= 0x13bc && k <= 0x13be) ||
         k == 0x20ac;
}

// The accents whose dead keys the tables use, by the suffix of the letter's
// name.
const std::vector<std::pair<std::string, std::string>> kAccents = {
    {"doubleacute", "dead_doubleacute"},
    {"grave", "dead_grave"},
    {"acute", "dead_acute"},
    {"circumflex", "dead_circumflex"},
    {"diaeresis", "dead_diaeresis"},
    {"ring", "dead_abovering"},
    {"cedilla", "dead_cedilla"},
    {"tilde", "dead_tilde"},
    {"ogonek", "dead_ogonek"},
    {"breve", "dead_breve"},
    {"stroke", "dead_stroke"},
    {"caron", "dead_caron"},
    {"abovedot", "dead_abovedot"},
    {"macron", "dead_macron"},
};

// Rows for the letters with a value in [lo, hi] whose accent is one of
// `accents`, in keysym order, one per value.
std::vector<Row> letters(uint32_t lo, uint32_t hi, const std::set<std::string>& accents,
                         const std::string& bases = "") {
  std::vector<Row> rows;
  std::set<uint32_t> seen;
  for (const Keysym& k : keysyms) {
    if (k.value < lo || k.value > hi || !seen.insert(k.value).second) continue;
    for (const auto& [suffix, dead] : kAccents) {
      if (!accents.count(suffix) || k.name.size() <= suffix.size()) continue;
      if (k.name.compare(k.name.size() - suffix.size(), suffix.size(), suffix) != 0) continue;
      auto base = byName.find(k.name.substr(0, k.name.size() - suffix.size()));
      if (base == byName.end()) continue;
      if (!bases.empty() &&
          (base->first.size() != 1 || bases.find(base->first[0]) == std::string::npos))
        continue;
      rows.push_back({k.value, named(dead), base->second});
      break;
    }
  }
  return rows;
}

std::vector<Row> onSpace(const std::vector<std::pair<std::string, std::string>>& pairs) {
  std::vector<Row> rows;
  for (const auto& [spacing, dead] : pairs) rows.push_back({named(spacing), named(dead), 0x20});
  return rows;
}

std::vector<Row> greek() {
  const uint32_t dialytikaTonos = 0x1000344;
  std::vector<Row> rows;
  std::set<uint32_t> seen;
  for (const Keysym& k : keysyms) {
    if (k.value < 0x7a1 || k.value > 0x7bb || !seen.insert(k.value).second) continue;
    static const std::regex re("Greek_([A-Za-z]+?)(accentdieresis|accent|dieresis)");
    std::smatch m;
    if (!std::regex_match(k.name, m, re)) continue;
    uint32_t dead = m[2] == "accentdieresis" ? dialytikaTonos
                    : m[2] == "accent"       ? named("dead_acute")
                                             : named("dead_diaeresis");
    auto base = byName.find("Greek_" + m[1].str());
    if (base != byName.end()) rows.push_back({k.value, dead, base->second});
  }
  rows.push_back({named("Greek_accentdieresis"), dialytikaTonos, 0x20});
  return rows;
}

void writeRows(FILE* out, const char* name, const std::vector<Row>& rows) {
  if (rows.empty()) die(std::string("no rows for ") + name);
  fprintf(out, "const DeadKeyCombination %s[] = {\n", name);
  for (const Row& r : rows) fprintf(out, "    {0x%x, 0x%x, 0x%x},\n", r.result, r.dead, r.base);
  fprintf(out, "};\n\n");
}

FILE* open(const std::string& path, const char* source) {
  FILE* out = fopen(path.c_str(), "w");
  if (!out) die("cannot write " + path);
  fprintf(out, "// Generated by gw_keysymgen from %s. Do not edit.\n\n", source);
  return out;
}

void close(FILE* out, const std::string& path) {
  if (fclose(out) != 0) die("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) die("usage: gw_keysymgen keysymdef.h OUTDIR");
  std::ifstream in(argv[1]);
  if (!in) die(std::string("cannot read ") + argv[1]);
  static const std::regex def(
      R"(^#define XK_(\w+)\s+0x([0-9a-fA-F]+)\s*(?:/\*\(?\s*U\+([0-9A-Fa-f]+)\s)?)");
  for (std::string line; std::getline(in, line);) {
    std::smatch m;
    if (!std::regex_search(line, m, def)) continue;
    Keysym k{m[1], uint32_t(strtoul(m[2].str().c_str(), nullptr, 16)),
             m[3].matched ? strtol(m[3].str().c_str(), nullptr, 16) : -1};
    keysyms.push_back(k);
    byName.emplace(k.name, k.value);
  }
  if (keysyms.empty()) die(std::string("no keysyms in ") + argv[1]);

  std::vector<std::pair<uint32_t, uint32_t>> unicode = {
      {0xff08, 0x08}, {0xff09, 0x09}, {0xff0d, 0x0a}, {0xff1b, 0x1b}, {0xffff, 0x7f}};
  std::map<uint32_t, uint32_t> header;  // the first character each legacy keysym names
  for (const Keysym& k : keysyms)
    if (inLegacyBlock(k.value) && k.unicode >= 0) header.emplace(k.value, uint32_t(k.unicode));
  for (uint32_t k : kKeptOut)
    if (!header.erase(k)) die("the header gives no character for " + hex(k) + " (kKeptOut)");
  for (auto [k, u] : kRetold) {
    if (!header.count(k)) die("the header gives no character for " + hex(k) + " (kRetold)");
    header[k] = u;
  }
  std::set<uint32_t> keys, points;
  for (auto& [k, u] : unicode) keys.insert(k), points.insert(u);
  for (const Keysym& k : keysyms) {
    auto it = header.find(k.value);
    if (it == header.end() || keys.count(k.value) || points.count(it->second)) continue;
    unicode.push_back({k.value, it->second});
    keys.insert(k.value);
    points.insert(it->second);
  }

  std::string dir = argv[2];
  FILE* out = open(dir + "/KeysymUnicode.inc", argv[1]);
  fprintf(out, "const KeysymUnicode kKeysymUnicode[] = {\n");
  for (auto& [k, u] : unicode) fprintf(out, "    {0x%x, 0x%x},\n", k, u);
  fprintf(out, "};\n");
  close(out, dir + "/KeysymUnicode.inc");

  out = open(dir + "/DeadKeyTables.inc", argv[1]);

  std::vector<Row> latin1 = letters(
      0xc0, 0xff, {"grave", "acute", "circumflex", "diaeresis", "ring", "cedilla", "tilde"});
  for (const Row& r : onSpace({{"grave", "dead_grave"},
                               {"apostrophe", "dead_acute"},
                               {"acute", "dead_acute"},
                               {"asciicircum", "dead_circumflex"},
                               {"quotedbl", "dead_diaeresis"},
                               {"diaeresis", "dead_diaeresis"},
                               {"degree", "dead_abovering"},
                               {"cedilla", "dead_cedilla"},
                               {"asciitilde", "dead_tilde"}}))
    latin1.push_back(r);
  writeRows(out, "kDeadLatin1", latin1);

  std::vector<Row> latin2 = letters(0x1a1, 0x1ff,
                                    {"acute", "cedilla", "ring", "ogonek", "breve", "stroke",
                                     "caron", "abovedot", "doubleacute"});
  for (const Row& r : onSpace({{"breve", "dead_breve"},
                               {"doubleacute", "dead_doubleacute"},
                               {"caron", "dead_caron"},
                               {"ogonek", "dead_ogonek"},
                               {"abovedot", "dead_abovedot"}}))
    latin2.push_back(r);
  writeRows(out, "kDeadLatin2", latin2);
  writeRows(out, "kDeadLatin3",
            letters(0x2a1, 0x2fe, {"circumflex", "abovedot", "breve", "stroke"}));
  writeRows(out, "kDeadLatin4",
            letters(0x3a2, 0x3fe, {"cedilla", "tilde", "macron", "ogonek", "abovedot"}));
  writeRows(out, "kDeadCeltic",
            letters(0x1000174, 0x1001ef3, {"abovedot", "grave", "circumflex", "acute", "diaeresis"},
                    "BbDdFfMmPpSsTtWwYy"));
  writeRows(out, "kDeadLatin9", {{named("Ydiaeresis"), named("dead_diaeresis"), named("Y")}});
  writeRows(out, "kDeadGreek", greek());
  close(out, dir + "/DeadKeyTables.inc");
  return 0;
}
