#include "lib1/loc/LocaleSetter.h"

#include "lib1/loc/LocaleNames.h"
#include "lib1/loc/Localize.h"
#include "lib1/loc/TransMap.h"
#include "lib1/plat/Assert.h"

namespace loc {

namespace {

LocaleSetter* currentSetter = nullptr;

LibcLocale& processLocale() {
  static LibcLocale instance;
  return instance;
}

}  // namespace

const LibcLocale& LocaleSetter::processLibcLocale() { return processLocale(); }

void LocaleSetter::useOsProcessLocale(std::vector<plat::String>* locales) {
  LibcLocale found;
  getOsLibcLocale(&found, locales);
  processLocale() = found;
}

void LocaleSetter::setProcessLocale(const std::vector<plat::String>& locales) {
  LibcLocale found;
  getLibcLocale(locales, &found);
  processLocale() = found;
}

void LocaleSetter::getLibcLocale(const std::vector<plat::String>& locales, LibcLocale* out) {
  for (const plat::String& name : locales) {
    if (findLibcLocale(name.get(), out)) return;
    localizeLog().info("No OS support for locale \"%s\"", name.get());
  }
  findLibcLocale("C", out);
}

plat::String LocaleSetter::getThreadLocales() {
  for (LocaleSetter* s = currentSetter; s; s = s->prev_)
    if (!s->locales_.isNull()) return s->locales_;
  return Localize::inst()->getLocales();
}

const LibcLocale* LocaleSetter::getThreadLibcLocale() {
  static const LibcLocale cLocale;
  return currentSetter ? currentSetter : &cLocale;
}

LocaleSetter::LocaleSetter(const char* locales) : prev_(currentSetter) {
  if (locales && *locales) {
    locales_ = locales;
    localizeLog().debug("setting locale %s", locales);
  }
  currentSetter = this;
  if (!locales_.isNull()) {
    std::vector<plat::String> list;
    parseLocaleList(locales_.get(), &list, nullptr, nullptr);
    getLibcLocale(list, this);
    map_ = std::make_unique<TransMap>();
    Localize::inst()->setTransMapLocales(list, nullptr);
  } else {
    static_cast<LibcLocale&>(*this) =
        prev_ ? static_cast<const LibcLocale&>(*prev_) : processLocale();
  }
  libcSetter_ = std::make_unique<LibcLocaleSetter>(name.get());
}

LocaleSetter::~LocaleSetter() {
  LocaleSetter* thrInst = currentSetter;
  PLAT_ASSERT(thrInst == this);
  currentSetter = prev_;
  if (!locales_.isNull()) localizeLog().debug("restoring locale");
  libcSetter_.reset();
  map_.reset();
}

}  // namespace loc
