// What the effective permissions dialog shows, as the tests compare it.
#pragma once

#include <string>

#include "lib2/mui/MuList.h"
#include "libs/sui/EffectivePermissionsDialog.h"

namespace suitest {

// The names of the rows whose picture is image, joined by ",".
inline std::string rowsShowing(const sui::EffectivePermissionsDialog& dialog, const char* image) {
  mui::MuList* list = dialog.getList();
  int name = list->getColumnIndex(sui::EffectivePermissionsDialog::NameColumn);
  int picture = list->getColumnIndex(sui::EffectivePermissionsDialog::ImageColumn);
  std::string out;
  for (int r = 0; r < list->getRowCount(); r++)
    if (std::string(list->getCell(r, picture)) == image)
      out += std::string(out.empty() ? "" : ",") + list->getCell(r, name);
  return out;
}

}  // namespace suitest
