#include "lib1/rdr/MaxOutBufferSize.h"

#include "lib1/plat/IntParameter.h"

namespace rdr {

static plat::IntParameter maxOutBufferSizeParam(
    "MaxOutBufferSize",
    "The maximum number of bytes to buffer internally when writing to slow connections.  Larger "
    "values improve concurrency, smaller values reduce memory usage.  Changes to this setting "
    "affect new connections only.",
    4194304, true, nullptr, 16384, 2147483647);

int maxOutBufferSize() { return maxOutBufferSizeParam.getValue(); }

}  // namespace rdr
