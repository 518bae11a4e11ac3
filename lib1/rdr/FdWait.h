#pragma once

namespace rdr {

// Waits until fd is readable (or writable), for at most timeoutms between
// two attempts (negative: no limit). Throws plat::TimedOut when the limit
// runs out, and plat::SystemException "select" on failure, or with EMFILE
// for a descriptor that a select() set cannot hold.
void waitForFd(int fd, bool forWrite, int timeoutms);

}  // namespace rdr
