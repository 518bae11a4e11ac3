#include "lib2/mui/MuConfigSync.h"

#include <strings.h>

#include <algorithm>

#include "lib1/plat/Assert.h"
#include "lib2/mui/MuElement.h"

namespace mui {

template <class T>
MuConfigSync::Group<T>* MuConfigSync::find(std::vector<Group<T>>& groups, MuElement* element) {
  for (Group<T>& g : groups)
    if (g.element == element) return &g;
  return nullptr;
}

template <class T>
void MuConfigSync::file(std::vector<Group<T>>& groups, MuElement* element, T* member) {
  PLAT_ASSERT(member);
  Group<T>* g = find(groups, element);
  if (!g) g = &groups.emplace_back(Group<T>{element, {}});
  PLAT_ASSERT(std::none_of(g->members.begin(), g->members.end(),
                           [&](const auto& m) { return m.get() == member; }));
  g->members.emplace_back(member);
}

void MuConfigSync::addSync(MuSync* sync) {
  PLAT_ASSERT(sync && sync->element());
  file(syncs_, sync->element(), sync);
}

void MuConfigSync::addEnabler(MuElement* element, MuEnabler* enabler) {
  file(enablers_, element, enabler);
}

void MuConfigSync::updateUi(const plat::Configuration& config) {
  for (Group<MuSync>& g : syncs_) {
    bool locked = false;
    for (auto& s : g.members) {
      s->updateUi(config);
      locked |= s->isLocked(config);
    }
    g.element->lock(locked);
  }
  for (Group<MuEnabler>& g : enablers_) {
    // Every enabler is asked, even after one has said no.
    bool enabled = true;
    for (auto& e : g.members) enabled &= e->isEnabled(config);
    if (g.element) g.element->enable(enabled);
  }
}

void MuConfigSync::updateConfig(plat::Configuration& config) {
  for (Group<MuSync>& g : syncs_)
    for (auto& s : g.members) s->updateConfig(config);
}

void MuConfigSync::updateConfig(plat::Configuration& config, MuElement* changed) {
  Group<MuSync>* own = find(syncs_, changed);
  if (!own) return;
  std::vector<MuElement*> dependants;
  for (auto& s : own->members) {
    s->updateConfig(config);
    for (Group<MuEnabler>& g : enablers_) {
      for (auto& e : g.members) {
        if (strcasecmp(e->paramName(), s->paramName())) continue;
        if (g.element &&
            std::find(dependants.begin(), dependants.end(), g.element) == dependants.end())
          dependants.push_back(g.element);
        e->paramChangedByElement(config, changed);
      }
    }
  }
  for (MuElement* e : dependants) updateUiEnable(config, e);
}

void MuConfigSync::updateUiEnable(const plat::Configuration& config, MuElement* element) {
  Group<MuEnabler>* g = find(enablers_, element);
  bool enabled = true;
  if (g)
    for (auto& e : g->members) enabled &= e->isEnabled(config);
  element->enable(enabled);
}

void MuConfigSync::reset() {
  syncs_.clear();
  enablers_.clear();
}

}  // namespace mui
