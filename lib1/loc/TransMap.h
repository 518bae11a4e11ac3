// loc::TransMap: the merged view that look-ups use. It maps every key of its
// locales to the translation of the first locale (in list order) that has
// it. The pointers point into the registry's tables, whose entries are never
// removed, only given new texts, so a map sees every later registration.
//
// There is one process map, and a stack of scoped maps: constructing a map
// makes it current, destroying it makes its predecessor current again, and
// maps must end in the reverse order of their construction. The process map
// stands outside that stack, so creating it never disturbs the scoped ones.
#pragma once

#include <map>
#include <vector>

#include "lib1/loc/PluralRule.h"
#include "lib1/loc/Translation.h"
#include "lib1/plat/MsgId.h"
#include "lib1/plat/String.h"
#include "lib1/plat/StringCopyOpt.h"

namespace loc {

class TransMap {
 public:
  TransMap();
  ~TransMap();
  TransMap(const TransMap&) = delete;
  TransMap& operator=(const TransMap&) = delete;

  static TransMap* getProcessInst();
  // The innermost scoped map, or the process map when none is current.
  static TransMap* getThreadInst();

  const Translation* get(msgid_t id) const;
  // The translation of the plural form of id for n, chosen per locale by its
  // rule among the locales that have every form [min, max] needs; or null.
  const Translation* getPlural(msgid_t id, int n, int min, int max) const;
  bool checkForAllPluralForms(const PluralRule* rule, msgid_t id, int min, int max) const;

  const std::vector<plat::String>& locales() const { return locales_; }
  bool isProcessMap() const { return prev_ == this; }

 private:
  friend class Localize;
  struct ProcessTag {};
  explicit TransMap(ProcessTag) : prev_(this) {}

  TransMap* prev_;  // itself for the process map
  std::map<plat::StringCopyOpt, const Translation*> map_;
  std::vector<plat::String> locales_;
};

}  // namespace loc
