#include "lib2/fb/RowKernels.h"

#include <cstring>

#include "lib1/plat/Assert.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace fb {

namespace {

// Two channels at a time in the 16-bit lanes of a 32-bit word. x / 255
// rounded as compositing does is (t + (t >> 8) + 1) >> 8 with t = x + 127,
// exact over the whole range; a sum above 255 saturates.
uint32_t overLanes(uint32_t d, uint32_t s, uint32_t inverse) {
  uint32_t t = (d & 0x00FF00FF) * inverse + 0x007F007F;
  t = ((t + ((t >> 8) & 0x00FF00FF) + 0x00010001) >> 8) & 0x00FF00FF;
  t += s & 0x00FF00FF;
  t |= ((t >> 8) & 0x00010001) * 0xFF;
  return t & 0x00FF00FF;
}

void overScalar(unsigned char* dst, const unsigned char* src, size_t n, int alphaShift,
                uint32_t keep) {
  for (size_t i = 0; i < n; i++, src += 4, dst += 4) {
    uint32_t s, d;
    memcpy(&s, src, 4);
    memcpy(&d, dst, 4);
    uint32_t inverse = 255 - ((s >> alphaShift) & 0xFF);
    uint32_t out = (overLanes(d, s, inverse) | overLanes(d >> 8, s >> 8, inverse) << 8) & keep;
    memcpy(dst, &out, 4);
  }
}

#ifdef __SSE2__
// The same, four pixels at a time: the byte lanes widened to 16 bits, and
// the final add saturating in 8 bits. Here t / 255 is (t x 0x8081) >> 23,
// also exact for every t up to 255 x 255 + 127.
template <int AlphaLane>
size_t overSse2(unsigned char* dst, const unsigned char* src, size_t n, uint32_t keep) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i ff = _mm_set1_epi16(0xFF), half = _mm_set1_epi16(0x7F);
  const __m128i reciprocal = _mm_set1_epi16(short(0x8081));
  const __m128i keepMask = _mm_set1_epi32(int(keep));
  constexpr int lane = _MM_SHUFFLE(AlphaLane, AlphaLane, AlphaLane, AlphaLane);
  auto blend = [&](__m128i d, __m128i s) {
    __m128i inverse = _mm_xor_si128(_mm_shufflehi_epi16(_mm_shufflelo_epi16(s, lane), lane), ff);
    __m128i t = _mm_add_epi16(_mm_mullo_epi16(d, inverse), half);
    return _mm_srli_epi16(_mm_mulhi_epu16(t, reciprocal), 7);
  };
  size_t i = 0;
  for (; i + 4 <= n; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i * 4));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(dst + i * 4));
    __m128i lo = blend(_mm_unpacklo_epi8(d, zero), _mm_unpacklo_epi8(s, zero));
    __m128i hi = blend(_mm_unpackhi_epi8(d, zero), _mm_unpackhi_epi8(s, zero));
    __m128i out = _mm_and_si128(_mm_adds_epu8(_mm_packus_epi16(lo, hi), s), keepMask);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * 4), out);
  }
  return i;
}
#endif

}  // namespace

void copyRow(unsigned char* dst, const unsigned char* src, size_t n) {
#ifdef __SSE2__
  // Explicit 64-byte moves beat the string instructions memcpy picks for rows
  // of this size on some processors.
  size_t i = 0;
  for (; i + 64 <= n; i += 64) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 16));
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 32));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i + 48));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i), a);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 16), b);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 32), c);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i + 48), d);
  }
  memcpy(dst + i, src + i, n - i);
#else
  memcpy(dst, src, n);
#endif
}

void fillRow16(unsigned char* dst, uint16_t value, size_t n) {
  size_t i = 0;
#ifdef __SSE2__
  const __m128i v = _mm_set1_epi16(short(value));
  for (; i + 8 <= n; i += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * 2), v);
#endif
  for (; i < n; i++) memcpy(dst + i * 2, &value, 2);
}

void fillRow32(unsigned char* dst, uint32_t value, size_t n) {
  size_t i = 0;
#ifdef __SSE2__
  const __m128i v = _mm_set1_epi32(int(value));
  for (; i + 8 <= n; i += 8) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * 4), v);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i * 4 + 16), v);
  }
#endif
  for (; i < n; i++) memcpy(dst + i * 4, &value, 4);
}

void overRow32(unsigned char* dst, const unsigned char* src, size_t n, int alphaShift,
               uint32_t keep) {
  PLAT_ASSERT(alphaShift == 0 || alphaShift == 8 || alphaShift == 16 || alphaShift == 24);
  size_t done = 0;
#ifdef __SSE2__
  switch (alphaShift) {
    case 0:
      done = overSse2<0>(dst, src, n, keep);
      break;
    case 8:
      done = overSse2<1>(dst, src, n, keep);
      break;
    case 16:
      done = overSse2<2>(dst, src, n, keep);
      break;
    default:
      done = overSse2<3>(dst, src, n, keep);
      break;
  }
#endif
  overScalar(dst + done * 4, src + done * 4, n - done, alphaShift, keep);
}

}  // namespace fb
