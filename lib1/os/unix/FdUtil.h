// Wrappers over the calls that create, duplicate, configure and close
// descriptors. Every descriptor they create is close-on-exec. A throwing form
// throws plat::SystemException naming the operation; a NoThrow form returns
// false with errno set.
#pragma once

#include "lib1/plat/Descriptor.h"

namespace os {

// The platform core's own: closing, and the close-on-exec flag (see
// lib1/plat/Descriptor.h).
using plat::fdClose;
using plat::fdSetInheritableNoThrow;
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
