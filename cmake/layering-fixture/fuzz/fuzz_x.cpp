#include "tests/a/Local.h"
#include "tests/support/Fine.h"
