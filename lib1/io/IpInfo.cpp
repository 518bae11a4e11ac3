#include "lib1/io/IpInfo.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <memory>

#include "lib1/io/Endpoint.h"
#include "lib1/io/GetAddrInfo.h"
#include "lib1/os/unix/SocketUtil.h"
#include "lib1/plat/Assert.h"
#include "lib1/plat/Log.h"

namespace io {

PLAT_LOG_WRITER(vlog, "IpInfo");

namespace {

#define IO_STR_(x) #x
#define IO_STR(x) IO_STR_(x)

// The conditions name the families by the platform's numbers.
const char* const kFamilyArgCondition =
    "family == " IO_STR(AF_INET) " || ((family) == " IO_STR(AF_INET6) ")";
const char* const kFamilyCondition =
    "family() == " IO_STR(AF_INET) " || ((family()) == " IO_STR(AF_INET6) ")";

[[noreturn]] void fail(const char* condition) {
  throw plat::AssertionFail(condition, __FILE__, __LINE__);
}

// htons() would keep only the low 16 bits of a larger port.
void checkPort(int port) {
  if (port < 0 || port > 65535) fail("port >= 0 && port <= 65535");
}

struct AddrInfoFree {
  void operator()(addrinfo* list) const { freeAddrInfo(list); }
};

}  // namespace

void IpInfo::alloc(int size) {
  os::systemInitSockets();
  if (size < 0) size = 0;
  addr_.resize(size);
  if (size) memset(addr_.data, 0, size);
}

void IpInfo::alloc() { alloc(int(sizeof(sockaddr_storage))); }

IpInfo::IpInfo(const plat::CBuf<unsigned char>& binAddr, int port) {
  if (binAddr.length != 4 && binAddr.length != 16)
    plat::assertFatal_(plat::AssertionFail("binAddr.length() == 4 || ((binAddr.length()) == 16)",
                                           __FILE__, __LINE__));
  checkPort(port);
  if (binAddr.length == 4) {
    alloc(sizeof(sockaddr_in));
    auto* sin = reinterpret_cast<sockaddr_in*>(addr_.data);
    sin->sin_family = AF_INET;
    sin->sin_port = htons(port);
    memcpy(&sin->sin_addr, binAddr.data, 4);
  } else {
    alloc(sizeof(sockaddr_in6));
    auto* sin6 = reinterpret_cast<sockaddr_in6*>(addr_.data);
    sin6->sin6_family = AF_INET6;
    sin6->sin6_port = htons(port);
    memcpy(&sin6->sin6_addr, binAddr.data, 16);
  }
}

IpInfo::IpInfo(const char* address, int port) {
  alloc(0);
  checkPort(port);
  plat::String host = unescapeAddress(address);
  char service[16];
  snprintf(service, sizeof service, "%d", port);
  addrinfo hints = {};
  hints.ai_flags = AI_NUMERICHOST;
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  int status = getAddrInfo(host.get(), service, &hints, &found);
  if (status != 0) throw GetAddrInfoException("getaddrinfo", status);
  std::unique_ptr<addrinfo, AddrInfoFree> list(found);
  alloc(int(found->ai_addrlen));
  memcpy(addr_.data, found->ai_addr, found->ai_addrlen);
  checkFamilyAndLength("len == sizeof(sockaddr_in) || ((len) == sizeof(sockaddr_in6))");
}

IpInfo::IpInfo(int port, bool loopback, int family) {
  if (family != AF_INET && family != AF_INET6) fail(kFamilyArgCondition);
  checkPort(port);
  if (family == AF_INET) {
    alloc(sizeof(sockaddr_in));
    auto* sin = reinterpret_cast<sockaddr_in*>(addr_.data);
    sin->sin_family = AF_INET;
    sin->sin_port = htons(port);
    sin->sin_addr.s_addr = htonl(loopback ? INADDR_LOOPBACK : INADDR_ANY);
  } else {
    alloc(sizeof(sockaddr_in6));
    auto* sin6 = reinterpret_cast<sockaddr_in6*>(addr_.data);
    sin6->sin6_family = AF_INET6;
    sin6->sin6_port = htons(port);
    sin6->sin6_addr = loopback ? in6addr_loopback : in6addr_any;
  }
}

IpInfo::IpInfo(const sockaddr* sa, int len) {
  alloc(len);
  if (addr_.length) memcpy(addr_.data, sa, addr_.length);
  checkFamilyAndLength("len == sizeof(sockaddr_in) || ((len) == sizeof(sockaddr_in6))");
}

IpInfo::IpInfo(int fd, bool local) {
  alloc();
  socklen_t slen = addr_.length;
  auto* sa = reinterpret_cast<sockaddr*>(addr_.data);
  if ((local ? getsockname(fd, sa, &slen) : getpeername(fd, sa, &slen)) < 0)
    throw plat::SystemException(local ? "getsockname" : "getpeername", errno);
  // A longer address was cut to the buffer; the length check rejects it.
  if (int(slen) < addr_.length) addr_.resize(int(slen));
  checkFamilyAndLength("slen == sizeof(sockaddr_in) || ((slen) == sizeof(sockaddr_in6))");
}

// The family is read only when the bytes hold it, and the length must be the
// one of that family: an IPv6 family in a 16-byte buffer would have its
// address read past the end.
void IpInfo::checkFamilyAndLength(const char* lengthCondition) {
  int f = addr_.length >= int(offsetof(sockaddr, sa_family) + sizeof(sa_family_t)) ? family() : -1;
  if (f != AF_INET && f != AF_INET6) fail(kFamilyCondition);
  if (addr_.length != int(f == AF_INET ? sizeof(sockaddr_in) : sizeof(sockaddr_in6)))
    fail(lengthCondition);
}

IpInfo::IpInfo(const IpInfo& other)
    : endpointText_(other.endpointText_), addressText_(other.addressText_) {
  alloc(other.addr_.length);
  memcpy(addr_.data, other.addr_.data, addr_.length);
}

IpInfo& IpInfo::operator=(const IpInfo& other) {
  if (this != &other) {
    alloc(other.addr_.length);
    memcpy(addr_.data, other.addr_.data, addr_.length);
    endpointText_ = other.endpointText_;
    addressText_ = other.addressText_;
  }
  return *this;
}

IpInfo::~IpInfo() = default;

int IpInfo::family() const { return sockAddr()->sa_family; }

int IpInfo::port() const {
  if (family() == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in*>(addr_.data)->sin_port);
  return ntohs(reinterpret_cast<const sockaddr_in6*>(addr_.data)->sin6_port);
}

plat::CBuf<unsigned char> IpInfo::binaryAddr() const {
  if (family() == AF_INET) return {4, addr_.data + offsetof(sockaddr_in, sin_addr)};
  return {16, addr_.data + offsetof(sockaddr_in6, sin6_addr)};
}

bool IpInfo::isInAddrAny() const {
  plat::CBuf<unsigned char> raw = binaryAddr();
  if (raw.length == 4) return memcmp(raw.data, "\0\0\0\0", 4) == 0;
  return memcmp(raw.data, &in6addr_any, 16) == 0;
}

bool IpInfo::isLocalHost() const {
  plat::CBuf<unsigned char> raw = binaryAddr();
  if (raw.length == 4) return memcmp(raw.data, "\x7f\0\0\x01", 4) == 0;
  return memcmp(raw.data, &in6addr_loopback, 16) == 0;
}

const char* IpInfo::address() const {
  if (!addressText_.isNull()) return addressText_.get();
  char host[1025];
  int status = getnameinfo(sockAddr(), addr_.length, host, sizeof host, nullptr, 0, NI_NUMERICHOST);
  if (status != 0) throw GetAddrInfoException("getnameinfo", status);
  addressText_ = escapeAddress(host);
  return addressText_.get();
}

const char* IpInfo::endpoint() const {
  if (endpointText_.isNull()) endpointText_ = composeEndpoint(address(), port(), -1, -1);
  return endpointText_.get();
}

bool IpInfo::operator==(const IpInfo& other) const {
  if (port() != other.port()) return false;
  plat::CBuf<unsigned char> a = binaryAddr(), b = other.binaryAddr();
  if (a.length != b.length || memcmp(a.data, b.data, a.length) != 0) return false;
  if (family() == AF_INET6) {
    auto* x = reinterpret_cast<const sockaddr_in6*>(addr_.data);
    auto* y = reinterpret_cast<const sockaddr_in6*>(other.addr_.data);
    return x->sin6_scope_id == y->sin6_scope_id && x->sin6_flowinfo == y->sin6_flowinfo;
  }
  return true;
}

}  // namespace io
