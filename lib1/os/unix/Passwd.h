// Look-ups in the host's user and group databases through the reentrant C
// library calls. Each object keeps the record and the storage its texts
// point into; the storage starts at 1024 bytes and doubles while the entry
// does not fit, up to a limit beyond which the look-up fails (ERANGE).
#pragma once

#include <grp.h>
#include <pwd.h>

#include <vector>

#include "lib1/plat/Buffers.h"

namespace os {

// The largest storage a look-up grows to.
constexpr int kMaxAccountBuffer = 16 << 20;

class Passwd {
 public:
  explicit Passwd(bool secure = true) : buf(secure) {}

  // By name unless null, else by uid. Fills pw and sets found, or throws
  // plat::SystemException: "getpwnam"/"getpwuid" with the call's error, or
  // error 0 and "getpwnam(%s): account not found" / "getpwuid(%ld): ...".
  void getpw(const char* name, int uid);
  // The user name of uid (in this object), or defaultName when none.
  const char* getName(int uid, const char* defaultName);

  passwd pw = {};
  plat::MBuf<char> buf;
  bool found = false;
  int maxBuf = kMaxAccountBuffer;
};

class Group {
 public:
  explicit Group(bool secure = false) : buf(secure) {}

  // By name unless null, else by gid. Throws "getgrnam"/"getgrgid" with the
  // call's error, or error 0 when there is no such group.
  void getgr(const char* name, int gid);

  // The user's primary group, or one listing the user as a member.
  static bool isMemberOf(group* g, passwd* user);

  group gr = {};
  plat::MBuf<char> buf;
  bool found = false;
  int maxBuf = kMaxAccountBuffer;
};

// The groups whose member lists name one user, fetched once on demand.
class PerUserGroupList {
 public:
  explicit PerUserGroupList(passwd* u) : user(u) {}

  // Throws plat::SystemException "_getgroupsbymember(%s)" on failure.
  static void getGroupsForUser(passwd* user, std::vector<int>& groups);
  bool contains(group* g);

  std::vector<int> groups;
  bool loaded = false;
  passwd* user;  // kept alive by the caller
};

}  // namespace os
