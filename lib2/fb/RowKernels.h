// The innermost loops of fills, copies and blending, one row at a time, with
// SSE2 where the processor has it (every x86-64 does) and plain C++
// elsewhere; both give the same bytes. Rows are raw memory with no alignment
// required.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fb {

// n bytes from src to dst; the two must not overlap.
void copyRow(unsigned char* dst, const unsigned char* src, size_t n);
// n pixels of 16 or 32 bits, each set to value.
void fillRow16(unsigned char* dst, uint16_t value, size_t n);
void fillRow32(unsigned char* dst, uint32_t value, size_t n);
// n 32-bit pixels of premultiplied colour over the destination's, channel by
// channel: d = min(255, ((255 - a) x d + 127) / 255 + s), where a is the
// source byte at alphaShift (0, 8, 16 or 24). Afterwards only the bits of
// keep are left in each destination pixel.
void overRow32(unsigned char* dst, const unsigned char* src, size_t n, int alphaShift,
               uint32_t keep);

}  // namespace fb
