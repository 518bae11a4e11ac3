// Resolving 1,000 user ids through the system-account name resolver, beside
// a bare getpwnam_r loop over the same ids in the same run. The ids are the
// accounts of the machine's own user database, cycled to 1,000, so the
// figures include the real name service and need no set-up. An id stored by
// name costs the peer's one look-up and the formatting of its text; an id
// stored by number costs a failed look-up by name and one by number, and so
// does canonicalising a name (by name, then by number again).
#include <benchmark/benchmark.h>
#include <pwd.h>

#include <string>
#include <vector>

#include "libs/smisc/NameResolverSystemAuth.h"

namespace {

constexpr int kIds = 1000;

// The machine's account names (byNumber false) or uids (true), cycled.
std::vector<std::string> ids(bool byNumber) {
  std::vector<std::string> accounts;
  setpwent();
  while (passwd* pw = getpwent())
    accounts.push_back(byNumber ? std::to_string(pw->pw_uid) : pw->pw_name);
  endpwent();
  std::vector<std::string> v;
  for (int i = 0; !accounts.empty() && i < kIds; i++)
    v.push_back(accounts[size_t(i) % accounts.size()]);
  return v;
}

void BM_ResolveByName(benchmark::State& state) {
  std::vector<std::string> v = ids(false);
  smisc::NameResolverSystemAuth resolver;
  for (auto _ : state)
    for (const std::string& id : v)
      benchmark::DoNotOptimize(resolver.resolveName(id.c_str(), nullptr, false));
  state.SetItemsProcessed(state.iterations() * int64_t(v.size()));
}
BENCHMARK(BM_ResolveByName)->Unit(benchmark::kMicrosecond);

void BM_ResolveByNumber(benchmark::State& state) {
  std::vector<std::string> v = ids(true);
  smisc::NameResolverSystemAuth resolver;
  for (auto _ : state)
    for (const std::string& id : v)
      benchmark::DoNotOptimize(resolver.resolveName(id.c_str(), nullptr, false));
  state.SetItemsProcessed(state.iterations() * int64_t(v.size()));
}
BENCHMARK(BM_ResolveByNumber)->Unit(benchmark::kMicrosecond);

void BM_CanonicalizeByName(benchmark::State& state) {
  std::vector<std::string> v = ids(false);
  smisc::NameResolverSystemAuth resolver;
  for (auto _ : state)
    for (const std::string& id : v)
      benchmark::DoNotOptimize(resolver.canonicalizeName(id.c_str(), false));
  state.SetItemsProcessed(state.iterations() * int64_t(v.size()));
}
BENCHMARK(BM_CanonicalizeByName)->Unit(benchmark::kMicrosecond);

// The peer: one getpwnam_r per id, into a buffer on the stack.
void BM_PeerGetpwnam(benchmark::State& state) {
  std::vector<std::string> v = ids(false);
  for (auto _ : state) {
    for (const std::string& id : v) {
      passwd pw, *found = nullptr;
      char buf[1024];
      getpwnam_r(id.c_str(), &pw, buf, sizeof buf, &found);
      benchmark::DoNotOptimize(found);
    }
  }
  state.SetItemsProcessed(state.iterations() * int64_t(v.size()));
}
BENCHMARK(BM_PeerGetpwnam)->Unit(benchmark::kMicrosecond);

}  // namespace
