// One IP endpoint: an IPv4 or IPv6 socket address with its port, held exactly
// as the socket calls take it (sockaddr_in or sockaddr_in6, network byte
// order). Invariant: the buffer always holds one of those two, with the
// length that belongs to its family; no other family or length is kept.
//
// The numeric address text and the endpoint text ("10.0.0.1::5900",
// "[::1]::5900") are computed on first use and cached, so one object is not
// to be used from two threads at once.
#pragma once

#include <sys/socket.h>

#include "lib1/plat/Buffers.h"
#include "lib1/plat/String.h"

namespace io {

class IpInfo {
 public:
  // 4 bytes make an IPv4 address, 16 an IPv6 one; any other length is a
  // fatal assertion.
  IpInfo(const plat::CBuf<unsigned char>& binAddr, int port);
  // A numeric address ("10.0.0.1", "::1" or "[::1]"); names are not looked
  // up. Throws GetAddrInfoException when the text is no address.
  IpInfo(const char* address, int port);
  // The wildcard or the loopback address of AF_INET or AF_INET6.
  IpInfo(int port, bool loopback, int family);
  IpInfo(const sockaddr* sa, int len);
  // The local (getsockname) or peer (getpeername) address of a socket.
  IpInfo(int fd, bool local);
  // A port outside 0..65535, a family other than the two or a length that
  // does not fit the family throws plat::AssertionFail: the socket address
  // cannot represent them.

  IpInfo(const IpInfo& other);
  IpInfo& operator=(const IpInfo& other);
  ~IpInfo();

  int family() const;
  int port() const;  // host order
  bool isInAddrAny() const;
  bool isLocalHost() const;  // exactly 127.0.0.1 or ::1
  // The raw address inside the socket address: 4 or 16 bytes.
  plat::CBuf<unsigned char> binaryAddr() const;
  // Numeric text; IPv6 in brackets. Throws GetAddrInfoException.
  const char* address() const;
  // The address, "::" and the port.
  const char* endpoint() const;

  // Same port and raw address; for IPv6 also the same scope and flow label.
  // An IPv4 address never equals an IPv4-mapped IPv6 one.
  bool operator==(const IpInfo& other) const;

  // The socket address, for bind() and connect().
  const sockaddr* sockAddr() const { return reinterpret_cast<const sockaddr*>(addr_.data); }
  int sockAddrLen() const { return addr_.length; }

  // Makes the buffer size bytes long (negative: 0), all zero, reusing the
  // storage where it fits; without a size, room for any socket address.
  void alloc(int size);
  void alloc();

 private:
  void checkFamilyAndLength(const char* lengthCondition);

  plat::MBuf<unsigned char> addr_;
  mutable plat::String endpointText_;
  mutable plat::String addressText_;
};

}  // namespace io
