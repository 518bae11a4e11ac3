// loc::Localize: the registry of every user-visible text. Each component's
// generated message table registers its built-in texts (languages "de",
// "es", "fr", "en") before main; strings files in the localisation
// directories add texts for any locale and override built-in ones. The
// `Locale` parameter (or else the environment) gives the ordered language
// list, always ending with "en_US", from which the process translation map
// is merged. `loc::localize` looks a key up in the current map; a missing key
// is logged and yields the key itself.
//
// Built-in keys and texts are never copied: the tables keep the message
// tables' literals. Table entries are never removed, only given new texts,
// so translation maps may point at them for good. A returned text stays
// valid until its entry is registered again; callers that keep it copy it.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "lib1/loc/TransMap.h"
#include "lib1/loc/Translation.h"
#include "lib1/plat/ConfigParameter.h"
#include "lib1/plat/Log.h"
#include "lib1/plat/MsgId.h"
#include "lib1/plat/String.h"
#include "lib1/plat/StringCopyOpt.h"
#include "lib1/plat/StringParameter.h"

namespace loc {

// "Locale": a ":"-separated list of locale names; empty means the environment.
extern plat::StringParameter localeParam;

// Turns a missing translation and a bad format into a process abort.
extern bool abortOnError;

// The "Localize" log of the whole library.
plat::LogWriter& localizeLog();

// Logs message at error level; with abortOnError, also writes it to standard
// error and aborts.
void reportError(const char* message);

// The text of id in the current map, raw (a format to fill with
// LString::xprintf) or formatted ("%%" as "%"). file and line name the caller
// in the missing-translation message (file may be null).
const char* localize(msgid_t id, const char* file = nullptr, int line = 0, bool raw = false);

// The raw text of the plural form of id for n; min and max bound every count
// the caller passes for this message.
const char* localizePlural(msgid_t id, int n, int min, int max, const char* file = nullptr,
                           int line = 0);

class Localize : public plat::ParameterChangedCallback {
 public:
  static Localize* inst();

  // Follows changes of `Locale` from now on, then setDirs(dirs).
  void init(const std::vector<plat::String>& dirs);
  // New directories: every strings file is read again as it is needed.
  void setDirs(const std::vector<plat::String>& dirs);
  void setLocalesFromParam();
  void parameterChanged(plat::ConfigParameter* param, int priority) override;

  // The locale list joined with ":".
  plat::String getLocales() const;

  // A message-table text; the pointers must live as long as the process.
  // Text that is not UTF-8 is a programming error and ends the process.
  void addBuiltInString(const char* locale, const char* id, const char* text);
  // A strings-file text, copied; text that is not UTF-8 is logged and
  // repaired. source names the file in messages.
  void addString(const char* locale, const char* id, const char* text, const char* source);

  // Gives map (the current map when null) the string locales of locales,
  // reading their strings files first, and rebuilds it.
  void setTransMapLocales(const std::vector<plat::String>& locales, TransMap* map);

 private:
  Localize() = default;
  Localize(const Localize&) = delete;
  Localize& operator=(const Localize&) = delete;

  void addSanitized(const char* locale, const char* id, const char* text, bool copy);
  void loadStringsFiles(const std::vector<plat::String>& locales);
  void updateTransMap(TransMap* map);

  std::map<plat::String, std::map<plat::StringCopyOpt, Translation>> tables_;
  std::vector<plat::String> locales_;
  std::vector<plat::String> dirs_;
  std::set<plat::String> loaded_;
  bool following_ = false;
  // The table the last registration went to (tables are never removed).
  std::pair<const plat::String, std::map<plat::StringCopyOpt, Translation>>* lastTable_ = nullptr;
};

}  // namespace loc
