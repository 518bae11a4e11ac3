// Sockets bound or connected to an IP endpoint. Like every socket of the
// platform they are close-on-exec, and the first one runs the process-wide
// socket set-up. A failure throws plat::SystemException naming the call
// ("socket", "setsockopt", "bind", "connect"), closes the socket made here and
// leaves the cause in errno.
//
// These live above the I/O library because they take its address type; the
// descriptor utilities below both stay on the platform core alone.
#pragma once

#include "lib1/io/IpInfo.h"

namespace os {

// A socket of the address's family bound to it. Stream sockets may rebind a
// port in TIME_WAIT; an IPv6 socket takes no IPv4 connections. The flag has
// no effect.
int socketCreateBound(const io::IpInfo& addr, int type, bool);
// A socket connected to addr, or with blocking false, being connected.
int socketCreateConnected(const io::IpInfo& addr, int type, bool blocking);
// Returns once the connection is made, or on a non-blocking socket once it
// is under way. An interrupted connect goes on in the kernel, so it is not
// started again: the socket is waited on and its outcome read.
void socketConnect(int fd, const io::IpInfo& addr);

}  // namespace os
