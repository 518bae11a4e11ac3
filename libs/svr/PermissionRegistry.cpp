// The registry of permission letters and group letters: static members of
// svr::Permissions. Both tables are built on first use (so a registration
// from another file's static object finds them ready) and live until exit.

#include <cstring>
#include <map>

#include "AddLocStrings_svr.h"
#include "lib1/loc/Localize.h"
#include "lib1/plat/Assert.h"
#include "libs/svr/Permissions.h"

namespace svr {

namespace {

AddLocStrings_svr addLocStrings;

constexpr char minCode = 'a';
constexpr int nCodes = Permissions::nCodes;

std::list<Permissions::PermissionDefn>& permissionDefns() {
  static std::list<Permissions::PermissionDefn> defns;
  return defns;
}

std::map<char, Permissions::GroupMembers>& permissionGroupDefns() {
  static std::map<char, Permissions::GroupMembers> groups;
  return groups;
}

bool isCode(char c) { return c >= minCode && c < minCode + nCodes; }

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

}  // namespace

void Permissions::initCore() {
  static bool done = false;
  if (done) return;
  // Set first: the registrations below call initCore again.
  done = true;
  static const struct {
    char code;
    const char* name;
    const char* desc;
    const char* groups;
    const char* params;
  } core[] = {
      {View, "svr_permissions_view_name", "svr_permissions_view_desc", "fdv", nullptr},
      {KeyEvents, "svr_permissions_keyevents_name", "svr_permissions_keyevents_desc", "fdi",
       "AcceptKeyEvents"},
      {PtrEvents, "svr_permissions_ptrevents_name", "svr_permissions_ptrevents_desc", "fdi",
       "AcceptPointerEvents"},
      {CutText, "svr_permissions_cuttext_name", "svr_permissions_cuttext_desc", "fdi",
       "AcceptCutText,SendCutText"},
      {NoQuery, "svr_permissions_noquery_name", "svr_permissions_noquery_desc", "f", nullptr},
  };
  for (const auto& c : core) {
    // Copied at once: the next look-up may reuse the localiser's buffer.
    plat::String name(text(c.name));
    registerPermission(c.code, name.get(), text(c.desc), c.groups, c.params);
  }
}

void Permissions::registerPermission(char code, const char* name, const char* desc,
                                     const char* groups, const char* params) {
  initCore();
  auto& defns = permissionDefns();
  auto& groupDefns = permissionGroupDefns();
  PLAT_ASSERT(code >= minCode && code < minCode + nCodes &&
              groupDefns.find(code) == groupDefns.end());
  PLAT_ASSERT(!lookupPermissionDefn(code));
  // A group letter that is also a code would turn every stored use of that
  // code into the whole group.
  for (const char* g = groups; g && *g; g++)
    PLAT_ASSERT_MSG(isCode(*g) && *g != code && !lookupPermissionDefn(*g),
                    "group letter '%c' of '%c'", *g, code);

  PermissionDefn defn{code, name, desc, {}};
  if (params) {
    for (const char* p = params;;) {
      const char* comma = strchr(p, ',');
      if (!comma) {
        defn.params.emplace_back(p);
        break;
      }
      defn.params.emplace_back(p, int(comma - p));
      p = comma + 1;
    }
  }
  // "No query" stays last whatever a program adds.
  auto at = defns.begin();
  while (at != defns.end() && at->code != NoQuery) ++at;
  defns.insert(at, std::move(defn));

  for (const char* g = groups; g && *g; g++) groupDefns[*g][code - minCode] = true;
}

void Permissions::unregisterPermission(char code) {
  initCore();
  auto& defns = permissionDefns();
  for (auto it = defns.begin(); it != defns.end(); ++it) {
    if (it->code == code) {
      defns.erase(it);
      break;
    }
  }
  if (!isCode(code)) return;
  for (auto& [letter, members] : permissionGroupDefns()) members[code - minCode] = false;
}

const Permissions::PermissionDefn* Permissions::lookupPermissionDefn(char code) {
  initCore();
  for (const PermissionDefn& d : permissionDefns())
    if (d.code == code) return &d;
  return nullptr;
}

const std::list<Permissions::PermissionDefn>& Permissions::getPermissionDefns() {
  initCore();
  return permissionDefns();
}

const Permissions::GroupMembers* Permissions::lookupGroup(char letter) {
  initCore();
  const auto& groups = permissionGroupDefns();
  auto it = groups.find(letter);
  return it == groups.end() ? nullptr : &it->second;
}

Permissions::RegistrationHelper::RegistrationHelper(char code, const char* name, const char* desc,
                                                    const char* groups, const char* params)
    : code_(code), name_(name), desc_(desc), groups_(groups), params_(params) {
  registerPermission(code_, name_.get(), desc_.get(), groups_.get(), params_.get());
}

Permissions::RegistrationHelper::~RegistrationHelper() { unregisterPermission(code_); }

}  // namespace svr
