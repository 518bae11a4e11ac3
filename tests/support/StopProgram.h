// Stopping a program a test started (an X server, a window manager): asked
// with SIGTERM, so that it cleans up after itself (an X server removes its
// lock file and socket), and reaped.
#pragma once

#include <sys/types.h>

namespace gwtest {

// Returns once pid, a child of this process, has ended and been reaped. The
// request is repeated until it has ended: Xvfb misses a SIGTERM that arrives
// just as it goes to sleep, and then sleeps on until its next timer, minutes
// away.
void stopProgram(pid_t pid);

}  // namespace gwtest
