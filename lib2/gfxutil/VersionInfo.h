// gfxutil::versionInfo: the process-wide version texts. Product start-up
// fills every field but termVersionText, at start and whenever the locale
// changes, and then calls updateVersionTermText, which derives the terminal
// form and hands it to the log destinations so that every log starts with
// it. The About dialog shows the other fields.
#pragma once

#include "lib1/plat/DString.h"
#include "lib1/plat/String.h"

namespace gfxutil {

struct VersionInfo {
  plat::String version;
  plat::String productUrl;
  plat::String ackUrl;
  plat::DString buildString;  // name, version, platform and build time
  plat::DString aboutText;    // marked up, for the About dialog
  plat::DString versionText;  // several lines: build string, notices, links
  // versionText for terminals and logs: the registered, copyright and trade
  // mark signs spelt "(R)", "(C)" and "(TM)", wrapped at 79 columns.
  plat::DString termVersionText;
};

extern VersionInfo versionInfo;

// Rebuilds termVersionText from versionText (replacing, never appending)
// and passes it to the log destinations.
void updateVersionTermText();

}  // namespace gfxutil
