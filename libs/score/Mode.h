// The mode the server process runs in: as a user's own program, as a system
// service, or on a virtual desktop of its own. Names compare
// case-insensitively.
#pragma once

namespace score {

enum Mode { ModeUser = 0, ModeService = 1, ModeVirtual = 2 };

// The mode of this process; the user mode unless the program sets another.
extern Mode mode;

// "user", "service" or "virtual" for the current mode.
const char* modeName();
// The localised name of m; any value that is not a known mode reads as the
// user mode.
const char* getModeStr(Mode m);
bool isModeName(const char* name);
// The mode called name; throws plat::Exception "Bad mode name" otherwise.
Mode modeFromName(const char* name);

}  // namespace score
