#include "lib1/loc/LibcLocale.h"

#include <langinfo.h>

#include <clocale>
#include <cstring>
#include <map>

#include "lib1/loc/LocaleNames.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/SString.h"

namespace loc {

namespace {

struct Suffix {
  const char* text;
  int type;
};

constexpr Suffix utf8Suffixes[] = {
    {"UTF-8", ENC_UTF8}, {"utf-8", ENC_UTF8}, {"UTF8", ENC_UTF8}, {"utf8", ENC_UTF8}};
constexpr Suffix latin1Suffixes[] = {{"ISO-8859-1", ENC_LATIN1}, {"ISO8859-1", ENC_LATIN1},
                                     {"iso88591", ENC_LATIN1},   {"ISO-8859-15", ENC_LATIN1},
                                     {"ISO8859-15", ENC_LATIN1}, {"US-ASCII", ENC_ASCII}};

std::map<plat::String, LibcLocale>& cache() {
  static std::map<plat::String, LibcLocale> instance;
  return instance;
}

// A copy of the current LC_ALL name (glibc may return a composite name, and
// the next setlocale call may overwrite the buffer it points to).
plat::String currentLcAll() { return plat::String(setlocale(LC_ALL, nullptr)); }

template <size_t N>
bool probe(const Suffix (&table)[N], const char* lang, const char* modifier, LibcLocale* out) {
  for (const Suffix& s : table) {
    plat::SString<256> candidate;
    candidate.prf("%s.%s", lang, s.text);
    if (modifier) candidate.prf("@%s", modifier);
    plat::String before = currentLcAll();
    if (setlocale(LC_MESSAGES, candidate.get())) {
      setlocale(LC_ALL, before.get());
      out->name = candidate.get();
      out->encType = s.type;
      return true;
    }
  }
  return false;
}

int classify(const char* codeset) {
  plat::DString norm;
  for (const char* c = codeset; *c; c++)
    if (*c != '-' && *c != '_') norm.appendChar_(char(*c >= 'A' && *c <= 'Z' ? *c + 32 : *c));
  const char* n = norm.get();
  if (strcmp(n, "utf8") == 0) return ENC_UTF8;
  if (plat::strBegins(n, "iso88591")) return ENC_LATIN1;
  if (strstr(n, "ascii") || strcmp(n, "isoir6") == 0 || strcmp(n, "646") == 0 ||
      plat::strBegins(n, "iso646") || plat::strBegins(n, "ansix3.4"))
    return ENC_ASCII;
  return ENC_OTHER;
}

}  // namespace

int getEncType(const char* name, plat::String* lang, plat::String* modifier) {
  plat::String before = currentLcAll();
  const char* accepted = setlocale(LC_CTYPE, name);
  plat::String working(accepted ? accepted : name);
  const char* w = working.get();
  size_t langLen = strcspn(w, ".@");
  *lang = plat::String(w, int(langLen));
  const char* at = strchr(w + langLen, '@');
  *modifier = at ? plat::String(at + 1) : plat::String();
  plat::String codeset;
  if (accepted && w[langLen] == '.') {
    const char* c = w + langLen + 1;
    codeset = plat::String(c, int(strcspn(c, "@")));
  }
  if (accepted) {
    const char* info = nl_langinfo(CODESET);
    if (info && *info) codeset = info;
    setlocale(LC_ALL, before.get());
  }
  return codeset.isNull() ? ENC_OTHER : classify(codeset.get());
}

bool findUtf8Locale(const char* lang, const char* modifier, LibcLocale* out) {
  return probe(utf8Suffixes, lang, modifier, out);
}

bool findLatin1OrAsciiLocale(const char* lang, const char* modifier, LibcLocale* out) {
  return probe(latin1Suffixes, lang, modifier, out);
}

bool findLibcLocale(const char* name, LibcLocale* out) {
  auto found = cache().find(plat::String(name));
  if (found != cache().end()) {
    *out = found->second;
    return true;
  }
  plat::String lang, modifier;
  out->name = name;
  out->encType = getEncType(name, &lang, &modifier);
  if (out->encType != ENC_UTF8 && !findUtf8Locale(lang.get(), modifier.get(), out)) {
    if (out->encType == ENC_OTHER && !findLatin1OrAsciiLocale(lang.get(), modifier.get(), out))
      return false;
  }
  cache()[plat::String(name)] = *out;
  return true;
}

void getOsLibcLocale(LibcLocale* out, std::vector<plat::String>* locales) {
  static const plat::String osName = [] {
    plat::String before = currentLcAll();
    const char* result = setlocale(LC_MESSAGES, "");
    plat::String name(result);
    if (result) setlocale(LC_ALL, before.get());
    return name;
  }();
  if (osName.isNull() || !findLibcLocale(osName.get(), out)) findLibcLocale("C", out);
  bool isC = !osName.isNull() && strcmp(osName.get(), "C") == 0;
  if (isC) return;
  if (getGnuStyleLocales(osName.get(), locales) || osName.isNull()) return;
  plat::String base(osName.get(), int(strcspn(osName.get(), ".@")));
  plat::appendUniq(locales, base.get());
}

void setUiLocale(const std::vector<plat::String>&) {}

LibcLocaleSetter::LibcLocaleSetter(const char* name) : old_(currentLcAll()) {
  result_ = setlocale(LC_ALL, name);
}

LibcLocaleSetter::~LibcLocaleSetter() {
  if (!result_.isNull()) setlocale(LC_ALL, old_.get());
}

}  // namespace loc
