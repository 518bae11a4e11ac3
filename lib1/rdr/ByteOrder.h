// Big-endian conversion of the wire integers.
#pragma once

#include <bit>
#include <cstdint>

namespace rdr {

inline uint16_t toBigEndian(uint16_t v) {
  return std::endian::native == std::endian::big ? v : __builtin_bswap16(v);
}
inline uint32_t toBigEndian(uint32_t v) {
  return std::endian::native == std::endian::big ? v : __builtin_bswap32(v);
}
inline uint16_t fromBigEndian(uint16_t v) { return toBigEndian(v); }
inline uint32_t fromBigEndian(uint32_t v) { return toBigEndian(v); }

}  // namespace rdr
