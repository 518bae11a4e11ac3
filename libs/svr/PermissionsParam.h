// svr::permissionsParam: the server's `Permissions` parameter, the list of
// users and groups with their permission strings that
// svr::SecurityPrincipalStore reads and writes.
#pragma once

#include "lib1/plat/StringParameter.h"

namespace svr {

extern plat::StringParameter permissionsParam;

}  // namespace svr
