// Wrappers over the calls that create, duplicate, configure and close
// descriptors. Every descriptor they create is close-on-exec. A throwing form
// throws plat::SystemException naming the operation; a NoThrow form returns
// false with errno set.
#pragma once

namespace os {

int fdClose(int fd);  // close(); its result, never throws

// Clears FD_CLOEXEC when inheritable, sets it otherwise. When setting the
// flags fails and closeOnFailure is true, the descriptor is closed (errno
// kept).
bool fdSetInheritableNoThrow(int fd, bool inheritable, bool closeOnFailure);
void fdSetInheritable(int fd, bool inheritable, bool closeOnFailure);  // "setInheritable"
bool fdGetInheritable(int fd);                                         // "getInheritable"

// Switches O_NONBLOCK alone; the other status flags (O_APPEND ...) stay.
void fdSetBlocking(int fd, bool blocking);  // "setBlocking"

// A close-on-exec duplicate at the lowest free number.
int fdDup(int fd);
// Makes newFd a close-on-exec duplicate of oldFd. Equal descriptors fail
// with EINVAL and are left alone.
bool fdDup2NoThrow(int oldFd, int newFd);
void fdDup2(int oldFd, int newFd);  // "dup2"

void pipeCreate(int fds[2]);  // "pipe"

}  // namespace os
