// The canonical text of a permission set with one letter changed: the
// allowed letters in alphabetical order, then "!" and the denied ones.
// Parsing it gives exactly those states, so the editor and the pages that
// build sets letter by letter store texts that read back the same.
#pragma once

#include "lib1/plat/DString.h"
#include "libs/svr/Permissions.h"

namespace sui {

// set's states with letter put in state, spelt canonically.
plat::DString permissionsTextWith(const svr::Permissions& set, char letter,
                                  svr::Permissions::State state);

}  // namespace sui
