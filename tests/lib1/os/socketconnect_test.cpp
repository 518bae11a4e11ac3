#include "lib1/os/SocketConnect.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "lib1/os/unix/SocketUtil.h"
#include "tests/support/Failure.h"

namespace {

int listening(const io::IpInfo& addr) {
  int fd = os::socketCreateBound(addr, SOCK_STREAM, false);
  EXPECT_EQ(listen(fd, 1), 0);
  return fd;
}

TEST(SocketConnect, ConnectsOnLoopbackInEitherFamilyBlockingOrNot) {
  for (const char* address : {"127.0.0.1", "::1"})
    for (bool blocking : {true, false}) {
      int l = listening(io::IpInfo(address, 0));
      io::IpInfo local(l, true);
      int c = os::socketCreateConnected(io::IpInfo(address, local.port()), SOCK_STREAM, blocking);
      EXPECT_EQ(!(fcntl(c, F_GETFL) & O_NONBLOCK), blocking);
      int a = os::socketAccept(l);  // blocking: the connection is already queued
      EXPECT_TRUE(io::IpInfo(c, false) == local && io::IpInfo(a, false) == io::IpInfo(c, true));
      for (int fd : {a, c, l}) close(fd);
    }
}

// An IPv6 socket leaves IPv4 to others; a failure closes the socket it made.
TEST(SocketConnect, BindsOnlyWhatIsFreeAndFailsCleanly) {
  int l6 = listening(io::IpInfo(0, false, AF_INET6));
  int l4 = listening(io::IpInfo(io::IpInfo(l6, true).port(), false, AF_INET));
  int silent = os::socketCreateBound(io::IpInfo("127.0.0.1", 0), SOCK_STREAM, false);
  io::IpInfo taken(l4, true), nobody(silent, true);  // the second never listens
  int next = dup(0);
  gwtest::expectSystemError([&] { os::socketCreateBound(taken, SOCK_STREAM, false); }, EADDRINUSE,
                            "bind: ");
  gwtest::expectSystemError([&] { os::socketCreateConnected(nobody, SOCK_STREAM, true); },
                            ECONNREFUSED, "connect: ");
  EXPECT_EQ(errno, ECONNREFUSED);
  int after = dup(0);  // the lowest free number: no socket was left open
  EXPECT_EQ(after, next + 1);
  for (int fd : {after, next, silent, l4, l6}) close(fd);
}

}  // namespace
