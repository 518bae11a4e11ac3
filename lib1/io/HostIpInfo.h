// The endpoints of one host under one name. The name is kept in its escaped
// form, so that a numeric IPv6 name is held in brackets. Two hosts are the
// same when they share an endpoint, whatever they are called.
#pragma once

#include <vector>

#include "lib1/io/IpInfo.h"
#include "lib1/plat/String.h"

namespace io {

class HostIpInfo {
 public:
  HostIpInfo(const std::vector<IpInfo>& addrs, const char* hostName);
  HostIpInfo(const IpInfo& address, const char* hostName);

  // True when some endpoint of one equals some endpoint of the other; two
  // empty lists are unequal.
  bool operator==(const HostIpInfo& other) const;

  std::vector<IpInfo> addresses;
  plat::String name;
};

}  // namespace io
