#include "lib1/io/IpInfo.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "lib1/io/GetAddrInfo.h"
#include "lib1/loc/Localize.h"
#include "tests/support/Failure.h"

namespace {

using Bytes = plat::CBuf<unsigned char>;

TEST(IpInfo, AddressesFromTextAndBytesGiveTheirTexts) {
  const unsigned char v4[4] = {127, 0, 0, 1};
  const unsigned char v6[16] = {0xfe, 0x80, 15, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
  const std::pair<io::IpInfo, const char*> cases[] = {
      {io::IpInfo("[::1]", 5900), "[::1]::5900"},
      {io::IpInfo(Bytes{4, v4}, 65535), "127.0.0.1::65535"},
      {io::IpInfo(Bytes{16, v6}, 1), "[fe80:f00::1]::1"},
  };
  for (const auto& [addr, endpoint] : cases) EXPECT_STREQ(io::IpInfo(addr).endpoint(), endpoint);
}

TEST(IpInfo, NamesAreNotLookedUpAndTheUserIsToldSo) {
  loc::Localize::inst()->init({});
  loc::localeParam.setParam("en_US", 50);
  EXPECT_THROW(io::IpInfo("localhost", 80), io::GetAddrInfoException);
  EXPECT_STREQ(io::GetAddrInfoException("getaddrinfo", EAI_NONAME).locStr(),
               "No such host is known");
  EXPECT_EQ(io::GetAddrInfoException("getnameinfo", EAI_FAMILY).locStr(),
            std::string("getnameinfo: '") + gai_strerror(EAI_FAMILY) + "' (-6)");
  loc::localeParam.unsetParam(50, false);
}

// Equal means the same socket address: a mapped IPv4 address is not the
// plain one, nor are link-local addresses of two interfaces.
TEST(IpInfo, EqualityIsExact) {
  sockaddr_in6 sa = {};
  sa.sin6_family = AF_INET6;
  inet_pton(AF_INET6, "fe80::1", &sa.sin6_addr);
  io::IpInfo linkLocal(reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  sa.sin6_scope_id = 1;
  io::IpInfo otherScope(reinterpret_cast<sockaddr*>(&sa), sizeof sa);
  EXPECT_FALSE(io::IpInfo("::ffff:127.0.0.1", 1) == io::IpInfo("127.0.0.1", 1));
  EXPECT_FALSE(linkLocal == otherScope);
  EXPECT_TRUE(otherScope == io::IpInfo(reinterpret_cast<sockaddr*>(&sa), sizeof sa));
}

// Nothing a socket address cannot hold: a short IPv6 one would be overread.
TEST(IpInfo, WhatASocketAddressCannotHoldIsRefused) {
  sockaddr_in6 sa = {};
  sa.sin6_family = AF_INET6;
  auto* p = reinterpret_cast<sockaddr*>(&sa);
  const std::pair<std::function<void()>, std::string> cases[] = {
      {[&] { io::IpInfo(p, sizeof(sockaddr_in)); }, "Assertion 'len == sizeof(sockaddr_in) ||"},
      {[&] { io::IpInfo(p, 1); }, "Assertion 'family() == 2 || ((family()) == 10)' failed"},
      {[&] { io::IpInfo(-1, false); }, "getpeername: "},
      {[] { io::IpInfo(1, true, AF_UNIX); }, "Assertion 'family == 2 || ((family) == 10)'"},
      {[] { io::IpInfo("127.0.0.1", 65536); }, "Assertion 'port >= 0"},
  };
  for (const auto& [make, start] : cases) EXPECT_EQ(gwtest::failureOf(make).rfind(start, 0), 0u);
}

TEST(IpInfoDeathTest, RawAddressOfAnOddLengthStopsTheProcess) {
  const unsigned char bytes[5] = {};
  EXPECT_DEATH(io::IpInfo(Bytes{5, bytes}, 1), "binAddr.length\\(\\) == 4 \\|\\| \\(\\(binAddr");
}

}  // namespace
