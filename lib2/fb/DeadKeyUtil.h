// The dead-key composer of a text-entry widget: every key event goes through
// interpretDeadKeys, which holds back an accent key (a dead key, or Compose
// followed by a spacing accent) and combines it with the next key into the
// accented character, or yields the spacing accent and the key when they do
// not combine. Modifiers pass while an accent waits; the release of a key
// that was consumed is swallowed too.
//
// The combination tables are borrowed, not copied: a table passed to
// addTable must outlive the object.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <vector>

#include "lib1/plat/Buffers.h"

namespace fb {

struct DeadKeyCombination {
  uint32_t result;
  uint32_t dead;
  uint32_t base;  // the letter, or space for the spacing accent
};

class DeadKeyUtil {
 public:
  // With the built-in tables: Latin-1 to -4, Celtic, Latin-9 and Greek.
  DeadKeyUtil();
  virtual ~DeadKeyUtil();

  static bool isDeadKey(unsigned int k);
  // The first pair that matches, or 0.
  static unsigned int spacingToDead(unsigned int spacing);
  static unsigned int deadToSpacing(unsigned int dead);

  // Later tables' rows replace earlier ones for split, not for combine.
  void addTable(plat::CBuf<DeadKeyCombination> table);
  // The first matching row's result over the tables in order; 0 when none.
  unsigned int combine(unsigned int dead, unsigned int base) const;
  bool split(unsigned int result, unsigned int* dead, unsigned int* base) const;

  // True when the event is consumed: the caller then delivers the keysyms
  // appended to out (possibly none) instead of it.
  bool interpretDeadKeys(unsigned int keysym, bool down, std::vector<unsigned int>* out);

 private:
  std::map<uint32_t, DeadKeyCombination> combinations_;
  std::vector<plat::MCBuf<DeadKeyCombination>> tables_;
  uint32_t pending_ = 0;
  std::set<uint32_t> swallow_;
  bool composeNext_ = false;
};

}  // namespace fb
