#include "lib2/fb/DeadKeyUtil.h"

#include <iterator>

#include "lib2/fb/Keysym.h"

namespace fb {

namespace {

#include "DeadKeyTables.inc"

template <size_t N>
plat::CBuf<DeadKeyCombination> table(const DeadKeyCombination (&rows)[N]) {
  return {int(N), rows};
}

const unsigned kMultiKey = 0xFF20;
const unsigned kDialytikaTonos = 0x1000344;

// {spacing, dead}; where a dead key has several spacing forms the first
// listed is the one deadToSpacing gives.
const uint32_t kSpacingDead[][2] = {
    {0x60, 0xFE50},  {0x27, 0xFE51},      {0xB4, 0xFE51},      {0x1000384, 0xFE51},
    {0x5E, 0xFE52},  {0x10002C6, 0xFE52}, {0x7E, 0xFE53},      {0x10002DC, 0xFE53},
    {0xAF, 0xFE54},  {0x1A2, 0xFE55},     {0x1FF, 0xFE56},     {0x22, 0xFE57},
    {0xA8, 0xFE57},  {0xB0, 0xFE58},      {0x10002DA, 0xFE58}, {0x1BD, 0xFE59},
    {0x1B7, 0xFE5A}, {0xB8, 0xFE5B},      {0x1B2, 0xFE5C},     {0x7AE, kDialytikaTonos},
};

}  // namespace

DeadKeyUtil::DeadKeyUtil() {
  addTable(table(kDeadLatin1));
  addTable(table(kDeadLatin2));
  addTable(table(kDeadLatin3));
  addTable(table(kDeadLatin4));
  addTable(table(kDeadCeltic));
  addTable(table(kDeadLatin9));
  addTable(table(kDeadGreek));
}

DeadKeyUtil::~DeadKeyUtil() = default;

bool DeadKeyUtil::isDeadKey(unsigned int k) {
  return (k >= 0xFE50 && k <= 0xFE63) || k == kDialytikaTonos;
}

unsigned int DeadKeyUtil::spacingToDead(unsigned int spacing) {
  for (const auto& pair : kSpacingDead)
    if (pair[0] == spacing) return pair[1];
  return 0;
}

unsigned int DeadKeyUtil::deadToSpacing(unsigned int dead) {
  for (const auto& pair : kSpacingDead)
    if (pair[1] == dead) return pair[0];
  return 0;
}

void DeadKeyUtil::addTable(plat::CBuf<DeadKeyCombination> t) {
  tables_.push_back(t);
  for (int i = 0; i < t.length; i++) combinations_[t.data[i].result] = t.data[i];
}

unsigned int DeadKeyUtil::combine(unsigned int dead, unsigned int base) const {
  for (const plat::MCBuf<DeadKeyCombination>& t : tables_)
    for (int i = 0; i < t.length; i++)
      if (t.data[i].dead == dead && t.data[i].base == base) return t.data[i].result;
  return 0;
}

bool DeadKeyUtil::split(unsigned int result, unsigned int* dead, unsigned int* base) const {
  auto it = combinations_.find(result);
  if (it == combinations_.end()) return false;
  *dead = it->second.dead;
  *base = it->second.base;
  return true;
}

bool DeadKeyUtil::interpretDeadKeys(unsigned int k, bool down, std::vector<unsigned int>* out) {
  if (swallow_.erase(k) && !down) return true;
  if (k == kMultiKey) {
    if (down) composeNext_ = true;
    return true;
  }
  if (composeNext_ && !isModifierKeysym(k) && down) {
    pending_ = spacingToDead(k);
    composeNext_ = false;
    swallow_.insert(k);
    return true;
  }
  if (isDeadKey(k)) {
    if (down) pending_ = k;
    return true;
  }
  if (pending_ == 0 || isModifierKeysym(k) || !down) return false;
  if (unsigned r = combine(pending_, k)) {
    out->push_back(r);
  } else {
    out->push_back(deadToSpacing(pending_));
    out->push_back(k);
  }
  pending_ = 0;
  swallow_.insert(k);
  return true;
}

}  // namespace fb
