#include "lib1/os/unix/Passwd.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "lib1/plat/Exception.h"

namespace os {

namespace {

// The shared loop: call(buffer, length, &result) returns 0 or an error
// number; ERANGE means the buffer is too small.
template <typename Record, typename Call>
int lookUp(Record& record, plat::MBuf<char>& buf, bool& found, int maxBuf, Call call) {
  buf.resize(1024);
  for (;;) {
    found = false;
    record = Record{};
    Record* result = nullptr;
    errno = 0;
    int rc = call(&record, buf.data, size_t(buf.length), &result);
    // Some implementations return -1 and leave the cause in errno.
    if (rc < 0) rc = errno;
    if (rc == 0 && result) {
      found = true;
      return 0;
    }
    if (rc != ERANGE) {
      record = Record{};
      // Some implementations report a missing entry as ENOENT or ESRCH
      // rather than 0 without a result; all mean "no such entry".
      return rc == ENOENT || rc == ESRCH ? 0 : rc;
    }
    // An entry that needs more than this is not one to trust.
    if (buf.length * 2 > maxBuf) {
      record = Record{};
      return ERANGE;
    }
    buf.resize(buf.length * 2);
  }
}

}  // namespace

void Passwd::getpw(const char* name, int uid) {
  int rc = name ? lookUp(pw, buf, found, maxBuf,
                         [name](passwd* r, char* b, size_t n, passwd** res) {
                           return getpwnam_r(name, r, b, n, res);
                         })
                : lookUp(pw, buf, found, maxBuf, [uid](passwd* r, char* b, size_t n, passwd** res) {
                    return getpwuid_r(uid_t(uid), r, b, n, res);
                  });
  if (found) return;
  if (rc != 0) throw plat::SystemException(name ? "getpwnam" : "getpwuid", rc);
  if (name) throw plat::SystemException::notFound("getpwnam(%s): account not found", name);
  throw plat::SystemException::notFound("getpwuid(%ld): account not found", long(uid));
}

const char* Passwd::getName(int uid, const char* defaultName) {
  try {
    getpw(nullptr, uid);
  } catch (plat::Exception&) {
    return defaultName;
  }
  return pw.pw_name;
}

void Group::getgr(const char* name, int gid) {
  int rc = name ? lookUp(gr, buf, found, maxBuf,
                         [name](group* r, char* b, size_t n, group** res) {
                           return getgrnam_r(name, r, b, n, res);
                         })
                : lookUp(gr, buf, found, maxBuf, [gid](group* r, char* b, size_t n, group** res) {
                    return getgrgid_r(gid_t(gid), r, b, n, res);
                  });
  if (!found) throw plat::SystemException(name ? "getgrnam" : "getgrgid", rc);
}

bool Group::isMemberOf(group* g, passwd* user) {
  if (!g) return false;
  if (g->gr_gid == user->pw_gid) return true;
  for (char** m = g->gr_mem; m && *m; m++)
    if (strcmp(*m, user->pw_name) == 0) return true;
  return false;
}

void PerUserGroupList::getGroupsForUser(passwd* user, std::vector<int>& groups) {
  long cap = std::clamp(sysconf(_SC_NGROUPS_MAX), 16L, 1000000L);
  groups.assign(size_t(cap), -1);
  // getgrouplist always adds the group it is given; one that no member list
  // can name (gid_t(-1)) is given and taken out again, so that only the
  // member lists count.
  const gid_t none = gid_t(-1);
  int n = int(cap) + 1;
  std::vector<gid_t> found(static_cast<size_t>(n));
  errno = 0;
  if (getgrouplist(user->pw_name, none, found.data(), &n) < 0) {
    // Too many groups for the capacity: the call says so by the count alone.
    if (errno == 0) errno = EOVERFLOW;
    throw plat::SystemExceptionFmt("_getgroupsbymember(%s)", errno, user->pw_name);
  }
  size_t kept = 0;
  for (int i = 0; i < n; i++)
    if (found[size_t(i)] != none && kept < groups.size()) groups[kept++] = int(found[size_t(i)]);
  groups.resize(kept);
}

bool PerUserGroupList::contains(group* g) {
  if (!loaded) {
    getGroupsForUser(user, groups);
    loaded = true;
  }
  return std::find(groups.begin(), groups.end(), int(g->gr_gid)) != groups.end();
}

}  // namespace os
