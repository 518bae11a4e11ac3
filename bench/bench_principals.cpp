// Loading and saving a `Permissions` value of many principals through a name
// resolver that knows none of them (so it is asked again until it answers),
// beside a plain stable sort of the same names: loading should cost about
// that sort plus one resolver call per principal, and grow like it from 1,000
// to 10,000 principals. Adding the principals one by one shows the price of
// the sorted insertion the editor uses.
#include <benchmark/benchmark.h>
#include <strings.h>

#include <algorithm>
#include <string>
#include <vector>

#include "lib1/plat/Configuration.h"
#include "libs/svr/SecurityPrincipalStore.h"
#include "tests/support/FakeResolver.h"

namespace {

// Names in a scrambled order, one in ten a group.
std::vector<std::string> names(int n) {
  std::vector<std::string> v;
  for (int i = 0; i < n; i++) {
    int k = int((i * 2654435761u) % unsigned(n));
    v.push_back((k % 10 == 0 ? "%group" : "User") + std::to_string(k));
  }
  return v;
}

std::string value(int n) {
  std::string s;
  for (const std::string& name : names(n)) s += name + ":" + (name[0] == '%' ? "v," : "d!q,");
  return s;
}

struct Fixture {
  explicit Fixture(int n) : resolver(gwtest::FakeResolver::Null) {
    param.setParam(value(n).c_str(), 50);
  }
  gwtest::FakeResolver resolver;
  plat::Configuration conf{"Bench"};
  plat::StringParameter param{"Permissions", "", "", false, &conf};
};

void BM_Load(benchmark::State& state) {
  Fixture f(int(state.range(0)));
  svr::SecurityPrincipalStore store;
  for (auto _ : state) store.load(f.param, false);
  state.counters["resolver_calls"] = double(f.resolver.calls) / double(state.iterations());
}
BENCHMARK(BM_Load)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_Save(benchmark::State& state) {
  Fixture f(int(state.range(0)));
  svr::SecurityPrincipalStore store;
  store.load(f.param, false);
  f.resolver.calls = 0;
  for (auto _ : state) store.save(&f.param, 50);
  state.counters["resolver_calls"] = double(f.resolver.calls) / double(state.iterations());
}
BENCHMARK(BM_Save)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_AddOneByOne(benchmark::State& state) {
  Fixture f(int(state.range(0)));
  std::vector<std::string> v = names(int(state.range(0)));
  for (auto _ : state) {
    svr::SecurityPrincipalStore store;
    for (const std::string& name : v) {
      bool group = name[0] == '%';
      store.add(
          new svr::SecurityPrincipal(name.c_str() + group, svr::Permissions(), group, nullptr));
    }
  }
  state.counters["resolver_calls"] = double(f.resolver.calls) / double(state.iterations());
}
BENCHMARK(BM_AddOneByOne)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The peer: the same names copied and stable-sorted case-insensitively.
void BM_PeerStableSort(benchmark::State& state) {
  std::vector<std::string> v = names(int(state.range(0)));
  for (auto _ : state) {
    std::vector<std::string> w = v;
    std::stable_sort(w.begin(), w.end(), [](const std::string& a, const std::string& b) {
      return strcasecmp(a.c_str(), b.c_str()) < 0;
    });
    benchmark::DoNotOptimize(w.data());
  }
}
BENCHMARK(BM_PeerStableSort)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
