#include "tests/a/Local.h"
#include "tests/support/Fine.h"
#include "tests/support/Shared.h"
