#include "apps/grantwell/MuiInit.h"

#include <optional>

#include "lib2/mui/wvw/MuBinding.h"
#include "lib2/mui/wvw/MuiWvw.h"
#include "lib2/tx/TXWindowIcon.h"

namespace mui {

void init(const char* appName) {
  // Both live to the end of the process: every dialog uses the singleton,
  // and every top-level window made later takes the icon.
  static MuiWvw singleton;
  static std::optional<tx::TXWindowIcon> icon;
  Mui::set(&singleton);
  if (appName && !icon) icon.emplace(appName);
  bindWvwBackEnd();
}

}  // namespace mui
