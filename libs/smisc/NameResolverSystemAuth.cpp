#include "libs/smisc/NameResolverSystemAuth.h"

#include <unistd.h>

#include <cstring>
#include <optional>

#include "AddLocStrings_smisc.h"
#include "lib1/loc/LString.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/unix/Passwd.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/StrUtil.h"
#include "lib1/plat/Utf8.h"
#include "libs/score/Mode.h"

namespace smisc {

namespace {

AddLocStrings_smisc addLocStrings;

// One account as a look-up found it.
struct Account {
  unsigned number;
  plat::String name;
  plat::String gecos;  // empty for a group
  bool byNumber;
};

// By name when name is set, else by number; nullopt for "not found" and for
// a database error alike.
std::optional<Account> fetch(const char* name, unsigned number, bool isGroup) {
  try {
    if (isGroup) {
      os::Group g;
      g.getgr(name, int(number));
      return Account{unsigned(g.gr.gr_gid), g.gr.gr_name, "", !name};
    }
    os::Passwd p;
    p.getpw(name, int(number));
    return Account{unsigned(p.pw.pw_uid), p.pw.pw_name, p.pw.pw_gecos ? p.pw.pw_gecos : "", !name};
  } catch (const plat::Exception&) {
    return std::nullopt;
  }
}

// The account id names: by name first, then by number if it is one.
std::optional<Account> lookUp(const char* id, bool isGroup) {
  if (std::optional<Account> a = fetch(id, 0, isGroup)) return a;
  unsigned number;
  if (!plat::strToUint(&number, id, 10)) return std::nullopt;
  return fetch(nullptr, number, isGroup);
}

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

plat::String serverOwner() {
  // In service mode the server runs as root; otherwise as whoever started
  // this tool.
  uid_t uid = score::mode == score::ModeService ? 0 : getuid();
  plat::String name;
  if (std::optional<Account> a = fetch(nullptr, unsigned(uid), false))
    name = a->name;
  else
    name = text("smisc_suimodulesystemauth_unknown_user");
  const char* format = loc::localize(loc::msgid_t("smisc_suimodulesystemauth_server_owner"),
                                     __FILE__, __LINE__, true);
  loc::LString owner;
  owner.xprintf(format, name.get());
  return owner.get();
}

}  // namespace

plat::String NameResolverSystemAuth::resolveName(const char* id, const char*, bool isGroup) {
  PLAT_ASSERT(id);
  if (!isGroup && !id[0]) return serverOwner();
  plat::DString shown;
  if (std::optional<Account> a = lookUp(id, isGroup)) {
    if (isGroup) {
      if (a->byNumber)
        shown.prf("%u (=%s)", a->number, a->name.get());
      else
        shown.append(id);
    } else {
      plat::String fullName(a->gecos.get(), int(strcspn(a->gecos.get(), ",")));
      if (a->byNumber)
        shown.prf("%s (%u=%s)", fullName.get(), a->number, a->name.get());
      else
        shown.prf("%s (%s)", fullName.get(), id);
    }
  }
  if (shown.isEmpty())
    shown.prf("%s (%s)",
              text(isGroup ? "smisc_suimodulesystemauth_unknown_group"
                           : "smisc_suimodulesystemauth_unknown_user"),
              id);
  // A legacy database may hold full names in another encoding; shown as
  // they are, they would reach every text of the UI as broken UTF-8.
  return plat::String::adopt(plat::sanitizeUtf8(shown.get()));
}

plat::String NameResolverSystemAuth::canonicalizeName(const char* name, bool isGroup) {
  PLAT_ASSERT(name);
  std::optional<Account> a = lookUp(name, isGroup);
  if (!a) return name;
  // Asked again by number, so that every name and the number of one account
  // are stored as the one name the databases give for that number.
  std::optional<Account> canonical = fetch(nullptr, a->number, isGroup);
  // An account name that could not be stored leaves the typed name, which
  // can, and which still finds the account.
  if (!canonical || !svr::SecurityPrincipal::isWritableId(canonical->name.get(), isGroup))
    return name;
  return canonical->name;
}

}  // namespace smisc
