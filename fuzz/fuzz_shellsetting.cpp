// Shell-style settings lines (as in /etc/machine-info): every line of the
// input is read until the stream ends; names and values must lie within the
// line and never hold the "=" that separated them.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "lib1/os/HostEnv.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"
#include "lib1/rdr/MemInStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  rdr::MemInStream in(data, int(size));
  plat::DString line;
  try {
    for (;;) {
      char* value = os::readShellSetting(&in, &line);
      if (!value) continue;
      const char* name = line.get();
      size_t nameLen = strlen(name);
      if (strchr(name, '=') || value <= name + nameLen || value > name + line.capacity()) abort();
      if (strlen(value) > size) abort();
    }
  } catch (plat::Exception&) {
    // the end of the input, or a line too long
  }
  return 0;
}
