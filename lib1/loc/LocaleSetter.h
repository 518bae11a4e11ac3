// loc::LocaleSetter: a scoped switch of the language of look-ups and of the
// C library's locale. With a locale list of its own it builds a translation
// map for it, current for its life; without one it takes the C-library
// locale of the setter around it, or the process's. Setters nest strictly:
// each must end before the one that was current when it began.
//
// The static functions keep the process C-library locale: the one chosen for
// the user-interface language from the environment or from `Locale`.
#pragma once

#include <memory>
#include <vector>

#include "lib1/loc/LibcLocale.h"
#include "lib1/plat/String.h"

namespace loc {

class TransMap;

class LocaleSetter : public LibcLocale {
 public:
  explicit LocaleSetter(const char* locales);
  ~LocaleSetter();
  LocaleSetter(const LocaleSetter&) = delete;
  LocaleSetter& operator=(const LocaleSetter&) = delete;

  // Fills locales from the environment and records its C-library locale as
  // the process's.
  static void useOsProcessLocale(std::vector<plat::String>* locales);
  // Records the first supported locale of the list as the process's.
  static void setProcessLocale(const std::vector<plat::String>& locales);
  // The first locale of the list the C library supports, else "C".
  static void getLibcLocale(const std::vector<plat::String>& locales, LibcLocale* out);
  // The locale list in force: the innermost setter's own, else the registry's.
  static plat::String getThreadLocales();
  // The C-library locale in force: the current setter's, else "C".
  static const LibcLocale* getThreadLibcLocale();
  static const LibcLocale& processLibcLocale();

 private:
  plat::String locales_;  // null without a list of its own
  LocaleSetter* prev_;
  std::unique_ptr<TransMap> map_;
  std::unique_ptr<LibcLocaleSetter> libcSetter_;
};

}  // namespace loc
