#include "libs/svr/PermissionsParam.h"

#include "AddLocStrings_svr.h"

namespace svr {

namespace {

// Before the parameter, so that its description is there to be shown.
AddLocStrings_svr addLocStrings;

}  // namespace

plat::StringParameter permissionsParam("Permissions", loc::msgid_t("svr_param_permissions"), "",
                                       false, nullptr);

}  // namespace svr
