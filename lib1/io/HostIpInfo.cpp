#include "lib1/io/HostIpInfo.h"

#include "lib1/io/Endpoint.h"

namespace io {

HostIpInfo::HostIpInfo(const std::vector<IpInfo>& addrs, const char* hostName)
    : addresses(addrs), name(escapeAddress(hostName)) {}

HostIpInfo::HostIpInfo(const IpInfo& address, const char* hostName)
    : HostIpInfo(std::vector<IpInfo>{address}, hostName) {}

bool HostIpInfo::operator==(const HostIpInfo& other) const {
  for (const IpInfo& a : addresses)
    for (const IpInfo& b : other.addresses)
      if (a == b) return true;
  return false;
}

}  // namespace io
