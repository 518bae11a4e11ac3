// The two descriptor calls the platform core needs itself: closing, and the
// close-on-exec flag. The operating-system layer (lib1/os/unix) offers them as
// os::fdClose and os::fdSetInheritableNoThrow, so that both layers share one
// implementation and the core never includes a library built on it.
#pragma once

namespace plat {

int fdClose(int fd);  // close(); its result, never throws

// Clears FD_CLOEXEC when inheritable, sets it otherwise. Reading the flags
// failing leaves the descriptor alone; when setting them fails and
// closeOnFailure is true, the descriptor is closed (errno kept).
bool fdSetInheritableNoThrow(int fd, bool inheritable, bool closeOnFailure);

}  // namespace plat
