// The standard usage callback a program may hand to
// plat::Configuration::processParamArgs: the version text and the
// parameter listing, or the whole configuration as XML, on standard output.
#pragma once

#include "lib1/plat/Configuration.h"

namespace gfxutil {

// Prints the usage of the kind asked for and ends the process with status 1.
[[noreturn]] void defaultUsage(plat::Configuration::UsageType type, plat::Configuration* config);

// Prints config as an XML document, every parameter with its description
// text.
void xmlUsage(plat::Configuration* config);

}  // namespace gfxutil
