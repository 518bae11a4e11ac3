#include <tests/other/Helper.h>

#include "tests/support/Fine.h"
#include HELPER
