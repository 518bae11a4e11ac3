// product::appInit: the start-up every program of the product runs first in
// main. In one call, in this order, it fixes the application's identity,
// starts localisation, finds the program's own executable, makes HOME
// usable, fixes the system and per-user configuration directories (creating
// the per-user ones owner-only), points localisation at its directories,
// builds the version and About texts (and rebuilds them whenever `Locale`
// changes), sets the logging defaults at priority 100 with the "stderr" and
// "file" destinations, reads the configuration files and, last, opens the log
// file, so that the file already follows what the configuration says.
//
// Everything it sets is the platform library's process-wide state; it runs
// once, on the main thread, before anything else. Every failure is a
// plat::Exception, and nothing is logged here; but a failure that comes
// before the log destinations are made makes the "stderr" one on its way
// out, so that the caller's report of it is seen.
#pragma once

#include "lib1/plat/Configuration.h"
#include "lib1/plat/MsgId.h"

namespace product {

// argv0: the program path from the command line (may be null). appName: the
// application's name, or null for the executable's base name without
// ".exe". appNameKey: the message key of the display name. defaultLog: the
// start-up `Log` value, or null for "*:stderr:10". Throws plat::Exception:
// "Error: could not find program executable", a failed account look-up
// while repairing HOME, a per-user directory that cannot be made
// owner-only, "Error reading %s: %s" for a configuration file.
void appInit(const char* argv0, const char* appName, loc::msgid_t appNameKey,
             const char* defaultLog, bool enableFileLog, bool readConfig);

// Reads the preference files (priority 50) and then the policy files
// (priority 0) into config, the global configuration when null. The
// directories are those appInit fixed when this was first called.
void readAppConfig(plat::Configuration* config);

// Called after every rebuild of gfxutil::versionInfo, when set.
extern void (*versionInfoSetter)();

}  // namespace product
