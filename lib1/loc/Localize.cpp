#include "lib1/loc/Localize.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <tuple>
#include <utility>

#include "AddLocStrings_loc.h"
#include "lib1/loc/LocaleNames.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/loc/StringsFile.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/StrUtil.h"
#include "lib1/plat/Utf8.h"

namespace loc {

PLAT_LOG_WRITER(vlog, "Localize");

plat::LogWriter& localizeLog() { return vlog(); }

plat::StringParameter localeParam("Locale", msgid_t("loc_param_locale"), "", false, nullptr);

bool abortOnError = false;

static AddLocStrings_loc addLocStrings;

void reportError(const char* message) {
  vlog().error("%s", message);
  if (abortOnError) {
    fprintf(stderr, "%s\nAborting\n", message);
    abort();
  }
}

namespace {

void reportMissing(const char* kind, msgid_t id, const char* file, int line) {
  plat::DPrintf message("%s for \"%s\"", kind, id.get() ? id.get() : "");
  if (file) message.prf(" (%s:%d)", file, line);
  reportError(message.get());
}

}  // namespace

const char* localize(msgid_t id, const char* file, int line, bool raw) {
  if (const Translation* t = TransMap::getThreadInst()->get(id)) return t->get(raw, id);
  reportMissing("Missing translation", id, file, line);
  return id.get();
}

const char* localizePlural(msgid_t id, int n, int min, int max, const char* file, int line) {
  if (const Translation* t = TransMap::getThreadInst()->getPlural(id, n, min, max))
    return t->get(true, id);
  reportMissing("Missing plural translation", id, file, line);
  return id.get();
}

Localize* Localize::inst() {
  static Localize instance;
  return &instance;
}

void Localize::init(const std::vector<plat::String>& dirs) {
  if (!following_) {
    localeParam.callbacks.push_back(this);
    following_ = true;
  }
  setDirs(dirs);
}

void Localize::setDirs(const std::vector<plat::String>& dirs) {
  dirs_ = dirs;
  loaded_.clear();
  setLocalesFromParam();
}

void Localize::parameterChanged(plat::ConfigParameter*, int) { setLocalesFromParam(); }

void Localize::setLocalesFromParam() {
  locales_.clear();
  const char* value = localeParam.getValue();
  bool fromParam = value && *value;
  if (fromParam)
    parseLocaleList(value, &locales_, nullptr, nullptr);
  else
    LocaleSetter::useOsProcessLocale(&locales_);
  plat::appendUniq(&locales_, "en_US");
  setUiLocale(locales_);
  if (fromParam) LocaleSetter::setProcessLocale(locales_);
  setTransMapLocales(locales_, TransMap::getProcessInst());
}

plat::String Localize::getLocales() const {
  plat::DString joined;
  for (const plat::String& l : locales_) {
    if (!joined.isEmpty()) joined.append(":");
    joined.append(l.get());
  }
  return plat::String(joined.get());
}

void Localize::addBuiltInString(const char* locale, const char* id, const char* text) {
  PLAT_ASSERT(text);
  using plat::isValidUtf8;
  const char* str = text;
  PLAT_ASSERT_MSG(isValidUtf8(str), "Bad UTF-8 in %s", id);
  addSanitized(locale, id, text, false);
}

void Localize::addString(const char* locale, const char* id, const char* text, const char* source) {
  if (plat::isValidUtf8(text)) {
    addSanitized(locale, id, text, true);
    return;
  }
  vlog().error("Bad UTF-8 in %s from %s for '%s' locale", id, source, locale);
  std::unique_ptr<char[]> repaired(plat::sanitizeUtf8(text));
  addSanitized(locale, id, repaired.get(), true);
}

void Localize::addSanitized(const char* locale, const char* id, const char* text, bool copy) {
  PLAT_ASSERT(locale && id && text);
  // Message tables register in runs of one language, keys ascending: keep the
  // table of the last call, and try the end of the table before searching.
  if (!lastTable_ || strcmp(lastTable_->first.get(), locale) != 0)
    lastTable_ = &*tables_.try_emplace(plat::String(locale)).first;
  auto& entries = lastTable_->second;
  plat::StringCopyOpt look(id, false);
  auto at = entries.end();
  if (!entries.empty() && !(std::prev(at)->first < look)) at = entries.lower_bound(look);
  if (at == entries.end() || look < at->first)
    at = entries.emplace_hint(at, std::piecewise_construct, std::forward_as_tuple(id, copy),
                              std::forward_as_tuple());
  at->second.set(text, copy);
}

void Localize::setTransMapLocales(const std::vector<plat::String>& locales, TransMap* map) {
  TransMap* target = map ? map : TransMap::getThreadInst();
  std::vector<plat::String> stringLocales;
  getStringLocales(locales, &stringLocales);
  loadStringsFiles(stringLocales);
  target->locales_ = stringLocales;
  updateTransMap(target);
}

void Localize::loadStringsFiles(const std::vector<plat::String>& locales) {
  for (const plat::String& locale : locales) {
    if (!loaded_.insert(locale).second) continue;
    for (const plat::String& dir : dirs_) loadStringsFile(dir.get(), locale.get(), this);
  }
}

void Localize::updateTransMap(TransMap* map) {
  map->map_.clear();
  vlog().debug("Updating %s TransMap with locales:", map->isProcessMap() ? "process" : "thread");
  for (const plat::String& locale : map->locales_) {
    vlog().debug(" %s", locale.get());
    auto table = tables_.find(locale);
    if (table == tables_.end()) continue;
    for (const auto& [key, translation] : table->second) {
      // The first table fills the map in key order, so its rows go at the end.
      plat::StringCopyOpt borrowed(key.get(), false);
      auto at = map->map_.end();
      if (!map->map_.empty() && !(std::prev(at)->first < borrowed))
        at = map->map_.lower_bound(borrowed);
      if (at == map->map_.end() || borrowed < at->first)
        map->map_.emplace_hint(at, borrowed, &translation);
    }
  }
}

}  // namespace loc
