#include "libs/sui/PermissionsText.h"

namespace sui {

plat::DString permissionsTextWith(const svr::Permissions& set, char letter,
                                  svr::Permissions::State state) {
  plat::DString allowed, denied;
  for (char c = 'a'; c <= 'z'; c++) {
    svr::Permissions::State s = c == letter ? state : set.getState(c);
    if (s == svr::Permissions::Allowed) allowed.appendChar_(c);
    if (s == svr::Permissions::Denied) denied.appendChar_(c);
  }
  if (denied.length() > 0) allowed.append("!").append(denied.get());
  return allowed;
}

}  // namespace sui
