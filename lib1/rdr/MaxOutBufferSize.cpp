#include "lib1/rdr/MaxOutBufferSize.h"
namespace rdr {
int maxOutBufferSize() { return 4194304; }
}  // namespace rdr
