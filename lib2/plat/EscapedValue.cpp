#include "lib2/plat/EscapedValue.h"

#include "lib1/rdr/MemOutStream.h"
#include "lib2/plat/SettingsFile.h"

namespace plat {

EscapedValue::EscapedValue(const char* value) {
  rdr::MemOutStream os;
  writeEscapedValue(&os, value ? value : "");
  int n = os.length();
  text_ = String(reinterpret_cast<const char*>(os.data()), n);
}

}  // namespace plat
