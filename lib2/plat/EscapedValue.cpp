#include "lib2/plat/EscapedValue.h"

#include <cstring>

#include "lib1/rdr/MemOutStream.h"
#include "lib2/plat/SettingsFile.h"

namespace plat {

EscapedValue::EscapedValue(const char* value) {
  rdr::MemOutStream os;
  writeEscapedValue(&os, value ? value : "");
  int n = os.length();
  text_.reset(new char[n + 1]);
  memcpy(text_.get(), os.data(), size_t(n));
  text_[n] = 0;
}

}  // namespace plat
