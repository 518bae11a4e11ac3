#include "lib2/gfxutil/VersionInfo.h"

#include "lib2/plat/LoggerFile.h"

namespace gfxutil {

VersionInfo versionInfo;

void updateVersionTermText() {
  plat::DString& term = versionInfo.termVersionText;
  term.clear();
  term.prf("%s", versionInfo.versionText.get());
  // Terminals and log readers may not show these signs; their spelt-out
  // forms read the same everywhere.
  term.replace("\u00ae", "(R)");
  term.replace("\u00a9", "(C)");
  term.replace("\u2122", "(TM)");
  term.wordWrap(79, 0);
  plat::Logger_file::setVersionInfo(term.get());
}

}  // namespace gfxutil
