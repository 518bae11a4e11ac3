// Sockets, and the process-wide set-up that sockets and the descriptor loop
// need. Every socket made here is close-on-exec.
#pragma once

namespace os {

void socketPair(int fds[2]);  // AF_UNIX stream pair; "socketpair"
// systemInitSockets(), then socket(); a failure returns the negative result
// with errno set.
int socketCreate(int family, int type, int protocol);
// accept(), retried on EINTR; -1 when no connection is pending (EAGAIN) or
// it was aborted; other failures throw "accept".
int socketAccept(int fd);
// Raises the receive buffer towards size, never lowers it.
void socketSetRcvBuf(int fd, int size);

// Once per process: SIGPIPE is ignored unless the application handles it,
// and the soft descriptor limit is lowered to what the select() loop can
// wait for (65,536). Never throws.
void systemInitSockets();
// For a child about to run another program: SIGPIPE back to the default
// and, when asked, the saved soft descriptor limit restored. Allocates
// nothing.
void systemUninitSockets(bool restoreLimit);

}  // namespace os
