// grantwell: starts the product, takes parameters from the command line,
// shows the permissions dialog and turns the application loop until the
// dialog is closed (exit status 0). Any failure on the way, the dialog's
// window destroyed by another client among them, is logged as one error line
// and gives exit status 1.
#include <exception>
#include <optional>

#include "AddLocStrings_chat.h"
#include "AddLocStrings_ft.h"
#include "AddLocStrings_grantwell.h"
#include "AddLocStrings_plat.h"
#include "AddLocStrings_print.h"
#include "apps/grantwell/MuiInit.h"
#include "apps/grantwell/PermissionsDialog.h"
#include "lib1/loc/Localize.h"
#include "lib1/os/AppLoop.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib2/ui/unix/AppLoop.h"
#include "libs/product/AppInit.h"
#include "libs/svr/Permissions.h"

namespace {

AddLocStrings_plat platStrings;
AddLocStrings_grantwell grantwellStrings;
AddLocStrings_chat chatStrings;
AddLocStrings_ft ftStrings;
AddLocStrings_print printStrings;

PLAT_LOG_WRITER(vlog, "grantwell");

const char* text(const char* key) { return loc::localize(loc::msgid_t(key), __FILE__, __LINE__); }

// The features beyond the standard letters, in the order their rows show.
struct Extra {
  char letter;
  const char* nameKey;
  const char* descKey;
  const char* param;
};
constexpr Extra kExtras[] = {
    {'h', "chat_permission_name", "chat_permission_desc", "EnableChat"},
    {'t', "ft_permission_name", "ft_permission_desc", "ShareFiles"},
    {'r', "print_permission_name", "print_permission_desc", "EnableRemotePrinting"},
};

void run(const char** argv) {
  product::appInit(argv[0], "grantwell", loc::msgid_t("grantwell_app_name_r"), nullptr, true, true);
  plat::Configuration::global()->processParamArgs(argv + 1, nullptr);

  // Built in order, gone in reverse: the dialog, the loop, the letters.
  std::optional<svr::Permissions::RegistrationHelper> extras[std::size(kExtras)];
  for (size_t i = 0; i < std::size(kExtras); i++) {
    const Extra& e = kExtras[i];
    const char* desc = text(e.descKey);
    extras[i].emplace(e.letter, text(e.nameKey), desc, "fd", e.param);
  }
  ui::AppLoop loop;
  mui::init("grantwell");
  PermissionsDialog dialog;
  dialog.show();
  loop.run();
  // The error line comes from main, as for every other failure.
  if (dialog.windowDestroyed()) throw plat::Exception("main window destroyed by another X client");
}

}  // namespace

int main(int, char** argv) {
  try {
    run(const_cast<const char**>(argv));
    return 0;
  } catch (const plat::Exception& e) {
    vlog().error("%s", e.str());
  } catch (const std::exception& e) {
    vlog().error("%s", e.what());
  }
  return 1;
}
