// The `Log` setting: a comma-separated list of "<pattern>:<destination>:
// <level>" elements, re-applied to every log source whenever it changes.
#pragma once

#include "lib1/plat/StringParameter.h"

namespace plat {

extern StringParameter logParam;

}  // namespace plat
