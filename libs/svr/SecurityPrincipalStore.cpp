#include "libs/svr/SecurityPrincipalStore.h"

#include <strings.h>

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/SplitterInPlace.h"

namespace svr {

void SecurityPrincipalStore::clear() { principals_.clear(); }

namespace {

// Every item of a list text, in the order written; all or nothing.
std::vector<std::unique_ptr<SecurityPrincipal>> readList(const char* text, bool dropInvalid) {
  std::vector<std::unique_ptr<SecurityPrincipal>> read;
  plat::String value(text);
  plat::SplitterInPlace items(value.data());
  while (char* item = items.next(',')) {
    if (!*item) continue;
    auto p = std::make_unique<SecurityPrincipal>();
    if (!p->read(item)) {
      if (dropInvalid) continue;
      throw plat::ExceptionFmt("invalid principal \"%s\"", item);
    }
    read.push_back(std::move(p));
  }
  return read;
}

}  // namespace

void SecurityPrincipalStore::validate(const char* text) { readList(text, false); }

void SecurityPrincipalStore::load(const plat::StringParameter& param, bool dropInvalid) {
  struct Entry {
    std::unique_ptr<SecurityPrincipal> principal;
    plat::String name;
  };
  // Everything is read into a list of its own first, so that a bad item
  // leaves the store as it was rather than half loaded.
  std::vector<Entry> entries;
  for (auto& p : readList(param.getValue(), dropInvalid)) entries.push_back({std::move(p), {}});
  // One display name each, so a resolver that knows no name for most
  // principals is asked n times, not once per comparison. A stable sort
  // keeps principals of equal names in the order they came, as adding them
  // one by one would.
  for (Entry& e : entries) e.name = e.principal->getDisplayName();
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    if (a.principal->isGroup() != b.principal->isGroup()) return b.principal->isGroup();
    return strcasecmp(a.name.get(), b.name.get()) < 0;
  });

  principals_.clear();
  principals_.reserve(entries.size());
  for (Entry& e : entries) principals_.push_back(std::move(e.principal));
  policy_ = param.getPriority() == 0;
}

void SecurityPrincipalStore::save(plat::StringParameter* param, int priority) const {
  PLAT_ASSERT(param);
  plat::DString text(32 * int(principals_.size()) + 1);
  for (const auto& p : principals_) {
    if (!text.isEmpty()) text.appendChar_(',');
    p->write(text);
  }
  param->setParam(text.get(), priority);
}

int SecurityPrincipalStore::add(SecurityPrincipal* p) {
  PLAT_ASSERT(p);
  std::unique_ptr<SecurityPrincipal> owned(p);
  // A principal is made or read with a writable id or not at all; one that
  // never got an id (its read was refused) must not reach save.
  if (!p->isWritable()) p->throwInvalid();
  plat::String name = p->getDisplayName();
  // Users come first; within a kind, after every name that does not compare
  // greater, found by halving so that loading stays O(n log n) look-ups.
  auto firstGroup = std::partition_point(principals_.begin(), principals_.end(),
                                         [](const auto& q) { return !q->isGroup(); });
  auto from = p->isGroup() ? firstGroup : principals_.begin();
  auto to = p->isGroup() ? principals_.end() : firstGroup;
  auto at = std::upper_bound(from, to, name, [](const plat::String& n, const auto& q) {
    return strcasecmp(n.get(), q->getDisplayName().get()) < 0;
  });
  at = principals_.insert(at, std::move(owned));
  return int(at - principals_.begin());
}

void SecurityPrincipalStore::remove(int index) {
  PLAT_ASSERT(index >= 0 && index < (int)principals_.size());
  principals_.erase(principals_.begin() + index);
}

SecurityPrincipal* SecurityPrincipalStore::get(int index) const {
  PLAT_ASSERT(index >= 0 && index < (int)principals_.size());
  return principals_[index].get();
}

int SecurityPrincipalStore::findById(const char* id, bool isGroup) const {
  for (int i = 0; i < size(); i++) {
    const SecurityPrincipal& p = *principals_[i];
    if (p.isGroup() == isGroup && plat::String::equal(p.getId(), id)) return i;
  }
  return -1;
}

}  // namespace svr
