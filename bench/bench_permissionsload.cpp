// Loading a `Permissions` value of n principals into the permissions editor:
// the text parsed, every name resolved through the system-account resolver,
// the principals sorted and one row each put into the widget-set list,
// until the list is up to date. Once with the editor and its scheme in a
// small host dialog, and once through the application's permissions dialog,
// whose show() also lays itself out again for every row it adds.
//
// The peer, measured in the same iterations: one bare getpwnam_r (getgrnam_r
// for a group) per principal, over the same names in the same order; the
// "x_peer" counter is the load's time over the peer's. The aim is at most 2,
// and time growing like n log n (the fit over n = 1,000 to 10,000). Each
// load is measured again with the resolver's texts answered from memory
// (KnownNames): the editor's own work, which the look-ups would hide. The
// time column is the load's alone; the CPU column counts the peer's runs too.
//
// The names are real accounts: the program writes account files of 10,000
// users and 1,000 groups and runs itself again with the NSS wrapper
// preloaded over them, so every look-up goes through the C library's name
// service as on a host with large local files. The dialogs run on a private
// Xvfb.
#include <benchmark/benchmark.h>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "apps/grantwell/PermissionsDialog.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/MuList.h"
#include "lib2/tx/TXUtil.h"
#include "libs/smisc/NameResolverSystemAuth.h"
#include "libs/smisc/PermissionsSchemeSystemAuth.h"
#include "libs/svr/PermissionsParam.h"
#include "libs/svr/SAuthentication.h"
#include "tests/support/TempDir.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kUsers = 10000;
constexpr int kGroups = 1000;
constexpr int kPeerRuns = 3;
// Set in the run with the wrapper, naming the directory of the account files.
constexpr const char* kAccountsVar = "GW_BENCH_ACCOUNTS";

const char* const kFirst[] = {"Anna", "Bruno", "Chloe", "Dmitri", "Elena", "Farid", "Grace",
                              "Hugo", "Ines",  "Jonas", "Kiri",   "Lena",  "Marco", "Nadia",
                              "Olaf", "Petra", "Quinn", "Rosa",   "Sven",  "Tomas"};
const char* const kLast[] = {"Berg",   "Costa",  "Dubois", "Eklund", "Fischer", "Garcia", "Horvat",
                             "Ivanov", "Jensen", "Kowal",  "Larsen", "Moreau",  "Novak",  "Olsen",
                             "Perez",  "Quist",  "Rossi",  "Schulz", "Tanaka",  "Weber"};

std::string userName(int i) {
  char s[16];
  snprintf(s, sizeof s, "u%05d", i);
  return s;
}

std::string groupName(int i) {
  char s[16];
  snprintf(s, sizeof s, "team%04d", i);
  return s;
}

// Full names repeat in other orders than the account names, so that the
// sort has work to do.
std::string passwdFile() {
  std::string s = "root:x:0:0:root:/root:/bin/sh\n";
  for (int i = 0; i < kUsers; i++) {
    s += userName(i) + ":x:" + std::to_string(2000 + i) + ":100:" + kFirst[(i * 7) % 20] + " " +
         kLast[(i * 13 / 20) % 20] + ",Room " + std::to_string(i % 97) + ":/home/" + userName(i) +
         ":/bin/sh\n";
  }
  return s;
}

std::string groupFile() {
  std::string s = "root:x:0:\nusers:x:100:\n";
  for (int i = 0; i < kGroups; i++)
    s += groupName(i) + ":x:" + std::to_string(5000 + i) + ":" + userName(i) + "\n";
  return s;
}

struct Principal {
  std::string name;
  bool group;
};

// n principals, one in ten a group, spread over the whole databases and
// listed in a scrambled order.
std::vector<Principal> principals(int n) {
  int groups = n / 10, users = n - groups;
  std::vector<Principal> all;
  for (int i = 0; i < users; i++) all.push_back({userName(int(long(i) * kUsers / users)), false});
  for (int i = 0; i < groups; i++)
    all.push_back({groupName(int(long(i) * kGroups / groups)), true});
  std::vector<Principal> v;
  for (int i = 0; i < n; i++) v.push_back(all[size_t((i * 2654435761u) % unsigned(n))]);
  return v;
}

std::string value(const std::vector<Principal>& v) {
  const char* const levels[] = {"d", "v", "f", "chkprst!q"};
  std::string s;
  for (size_t i = 0; i < v.size(); i++) {
    if (i) s += ',';
    if (v[i].group) s += '%';
    s.append(v[i].name).append(":").append(levels[i % 4]);
  }
  return s;
}

// The peer's time for the names, in seconds.
double peerLookUps(const std::vector<Principal>& v) {
  auto start = Clock::now();
  for (const Principal& p : v) {
    char buf[1024];
    if (p.group) {
      group gr, *found = nullptr;
      getgrnam_r(p.name.c_str(), &gr, buf, sizeof buf, &found);
      benchmark::DoNotOptimize(found);
    } else {
      passwd pw, *found = nullptr;
      getpwnam_r(p.name.c_str(), &pw, buf, sizeof buf, &found);
      benchmark::DoNotOptimize(found);
    }
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void setUp() {
  static bool done = [] {
    gwtest::XServer::shared();
    tx::openDisplay(nullptr);
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
    loc::Localize::inst()->init({});
    loc::localeParam.setParam("en_US", 50);
    new plat::TimerManager(true);  // the outer loop's, for the whole run
    new gwtest::WvwBackEnd;        // lives to the end, as the singleton does
    return true;
  }();
  (void)done;
}

// The texts the system-account resolver gave for the principals, answered
// from memory: what loading costs besides the look-ups themselves.
class KnownNames : public svr::SecurityPrincipal::NameResolver {
 public:
  explicit KnownNames(const std::vector<Principal>& v) {
    smisc::NameResolverSystemAuth real;
    for (const Principal& p : v)
      names_[p.group][p.name] = real.resolveName(p.name.c_str(), nullptr, p.group);
  }
  plat::String resolveName(const char* id, const char*, bool isGroup) override {
    auto it = names_[isGroup].find(id);
    return it == names_[isGroup].end() ? plat::String() : it->second;
  }
  plat::String canonicalizeName(const char* name, bool) override { return name; }

 private:
  // Users' and groups' apart.
  std::unordered_map<std::string, plat::String> names_[2];
};

// Times load() beside the peer in every iteration; load() returns its own
// time in seconds, so that it can leave set-up and teardown out. It gets the
// resolver to install: the system-account one, or with known the names it
// gives, from memory.
template <typename Load>
void measure(benchmark::State& state, bool known, Load load) {
  int n = int(state.range(0));
  std::vector<Principal> v = principals(n);
  svr::permissionsParam.setParam(value(v).c_str(), 50);
  smisc::NameResolverSystemAuth real;
  std::optional<KnownNames> memory;
  if (known) memory.emplace(v);
  svr::SecurityPrincipal::NameResolver* resolver = &real;
  if (known) resolver = &*memory;
  double loading = 0, peer = 0;
  int peerRuns = 0;
  for (auto _ : state) {
    double seconds = load(n, resolver);
    state.SetIterationTime(seconds);
    loading += seconds;
    // A load far quicker than its look-ups runs many times; a few of the
    // peer's runs, between them, are enough.
    if (peerRuns < kPeerRuns) {
      peer += peerLookUps(v);
      peerRuns++;
    }
  }
  state.SetComplexityN(n);
  state.SetItemsProcessed(state.iterations() * n);
  peer /= peerRuns;
  loading /= double(state.iterations());
  state.counters["peer_ms"] = peer * 1000;
  state.counters["x_peer"] = peer > 0 ? loading / peer : 0;
}

// The editor and its scheme in a dialog of their own, as the tests host it.
struct Host : sui::PermissionsEditorImpl {
  Host() : sui::PermissionsEditorImpl(nullptr) {
    dialog.reset(mui::muDialog("perms", "Permissions", plat::Point(400, 600), 0, nullptr, nullptr));
    init(mui::muLayout(dialog.get(), "main", mui::MuLayout::Vertical));
    auto owned = std::make_unique<smisc::PermissionsSchemeSystemAuth>(this);
    scheme = owned.get();
    addScheme(svr::SAuthSystem, std::move(owned));
    dialog->registerObserver(this, true);
    dialog->show(true);
  }
  ~Host() override {
    dialog->registerObserver(this, false);
    dialog.reset();
  }
  mui::MuDialog* getDialog() override { return dialog.get(); }
  plat::Configuration* getConfig() override { return plat::Configuration::global(); }
  void elementEvent(mui::MuElement* source, int code) override {
    mui::MuObserver::elementEvent(source, code);
    sui::PermissionsEditorImpl::elementEvent(source, code);
  }

  std::unique_ptr<mui::MuDialog> dialog;
  smisc::PermissionsSchemeSystemAuth* scheme = nullptr;
};

// known: names from memory rather than from the databases.
void editorLoad(benchmark::State& state, bool known) {
  setUp();
  Host host;
  measure(state, known, [&](int n, svr::SecurityPrincipal::NameResolver* resolver) {
    svr::SecurityPrincipal::resolver = resolver;
    auto start = Clock::now();
    host.updateUi(host.scheme);
    // The list reloads its table before it scrolls, as before it draws.
    host.getList()->ensureRowVisible(0);
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (host.getList()->getRowCount() != n) state.SkipWithError("rows missing");
    return seconds;
  });
}

// The application's dialog: made and destroyed outside the timing.
void dialogShow(benchmark::State& state, bool known) {
  setUp();
  measure(state, known, [&](int n, svr::SecurityPrincipal::NameResolver* resolver) {
    PermissionsDialog dialog;
    if (known) svr::SecurityPrincipal::resolver = resolver;
    auto start = Clock::now();
    dialog.show();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (dialog.getList()->getRowCount() != n) state.SkipWithError("rows missing");
    return seconds;
  });
}

void EditorLoad(benchmark::State& state) { editorLoad(state, false); }
void EditorLoadKnownNames(benchmark::State& state) { editorLoad(state, true); }
void DialogShow(benchmark::State& state) { dialogShow(state, false); }
void DialogShowKnownNames(benchmark::State& state) { dialogShow(state, true); }

// The peer alone, for its own figure per look-up.
void PeerLookUps(benchmark::State& state) {
  std::vector<Principal> v = principals(int(state.range(0)));
  for (auto _ : state) state.SetIterationTime(peerLookUps(v));
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// With real look-ups the time is theirs, and the fit is left to the
// library: it finds them linear. The editor's own work is held to n log n,
// and the fit's RMS says how well it keeps to it.
void sizes(benchmark::internal::Benchmark* b) {
  for (int n : {1000, 2000, 5000, 10000}) b->Arg(n);
  b->UseManualTime()->Unit(benchmark::kMillisecond)->Complexity();
}

void nLogN(benchmark::internal::Benchmark* b) {
  sizes(b);
  b->Complexity(benchmark::oNLogN);
}

BENCHMARK(EditorLoad)->Apply(sizes);
BENCHMARK(DialogShow)->Apply(sizes);
BENCHMARK(EditorLoadKnownNames)->Apply(nLogN);
BENCHMARK(DialogShowKnownNames)->Apply(nLogN);
BENCHMARK(PeerLookUps)->Apply(sizes);

// Writes the account files and runs this program again over them with the
// wrapper preloaded; its exit status is the run's.
int runWithAccounts(char** argv) {
  gwtest::TempDir dir;
  std::string passwd = dir.write("passwd", passwdFile());
  std::string group = dir.write("group", groupFile());
  std::string preload = "libnss_wrapper.so";
  if (const char* before = getenv("LD_PRELOAD")) preload += std::string(":") + before;
  pid_t pid = fork();
  if (pid < 0) {
    perror("fork");
    return 1;
  }
  if (pid == 0) {
    setenv(kAccountsVar, dir.path().c_str(), 1);
    setenv("NSS_WRAPPER_PASSWD", passwd.c_str(), 1);
    setenv("NSS_WRAPPER_GROUP", group.c_str(), 1);
    setenv("LD_PRELOAD", preload.c_str(), 1);
#ifdef __SANITIZE_ADDRESS__
    // The sanitizer's runtime must come first and refuses the wrapper's deep
    // binding of the C library; the tests under it do the same.
    setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 0);
    setenv("NSS_WRAPPER_DISABLE_DEEPBIND", "1", 1);
#endif
    execv("/proc/self/exe", argv);
    perror("execv");
    _exit(127);
  }
  int status = 0;
  if (waitpid(pid, &status, 0) < 0) return 1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

int main(int argc, char** argv) {
  if (!getenv(kAccountsVar)) return runWithAccounts(argv);
  // The wrapper answers only when it was really preloaded.
  passwd pw, *found = nullptr;
  char buf[1024];
  if (getpwnam_r(userName(kUsers - 1).c_str(), &pw, buf, sizeof buf, &found) != 0 || !found) {
    fprintf(stderr, "the NSS wrapper (libnss_wrapper.so) did not load the account files\n");
    return 1;
  }
  // Only this program looks accounts up; the X server it starts does not.
  unsetenv("LD_PRELOAD");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
