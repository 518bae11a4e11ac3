#include "lib2/fb/ShiftTranslator.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

#include "lib1/plat/Assert.h"
#include "lib2/fb/TransTables.h"

// With GCC on x86-64 the row loops are compiled for AVX2 (eight 32-bit
// lanes), for SSE4.1 (four, with a one-instruction multiply, which the
// baseline lacks) and for the baseline, and the loader picks the best one the
// processor runs.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define FB_VECTOR_CLONES __attribute__((target_clones("avx2", "sse4.1", "default")))
#else
#define FB_VECTOR_CLONES
#endif

namespace fb {

namespace {

using Channel = ShiftTranslator::Channel;
using Form = ShiftTranslator::Form;

template <int Bits>
using Word =
    std::conditional_t<Bits == 8, uint8_t, std::conditional_t<Bits == 16, uint16_t, uint32_t>>;

// One channel's bits in the output. In the two common-shift forms they
// stay down + outShift bits up, keep clearing the fraction below them, so
// that a single shift of the combined pixel puts all three in place. In
// place, the channel is masked where it stands, one operation fewer; pulled
// out first, the product stays small for wide channels high in the pixel.
// The separate form shifts each channel on its own, for channels near the top
// of the output, which leave no room above them for the common shift.
template <Form F>
inline uint32_t channelBits(uint32_t v, uint32_t pre, uint32_t mask, uint32_t mul, uint32_t add,
                            uint32_t keep, uint32_t down, uint32_t up) {
  if constexpr (F != Form::InPlace) v >>= pre;
  uint32_t t = (v & mask) * mul + add;
  if constexpr (F == Form::Separate)
    return (t >> down) << up;
  else
    return t & keep;
}

template <int InBits, int OutBits, Form F>
FB_VECTOR_CLONES void shiftRow(const Channel* channels, uint32_t down, const void* in, void* out,
                               int width) {
  // Copied into locals so that the compiler sees them fixed for the loop.
  const Channel r = channels[0], g = channels[1], b = channels[2];
  const auto* __restrict ip = static_cast<const unsigned char*>(in);
  auto* __restrict op = static_cast<unsigned char*>(out);
  for (int x = 0; x < width; x++) {
    Word<InBits> raw;
    memcpy(&raw, ip + ptrdiff_t(x) * sizeof raw, sizeof raw);
    uint32_t v = raw;
    uint32_t p = channelBits<F>(v, r.pre, r.mask, r.mul, r.add, r.keep, r.down, r.up) |
                 channelBits<F>(v, g.pre, g.mask, g.mul, g.add, g.keep, g.down, g.up) |
                 channelBits<F>(v, b.pre, b.mask, b.mul, b.add, b.keep, b.down, b.up);
    if constexpr (F != Form::Separate) p >>= down;
    // Never more than OutBits bits (prepare sees to it), so the clamp changes
    // nothing; it keeps the compiler from narrowing each channel on its own
    // before combining them, which costs more than narrowing once.
    auto cooked = Word<OutBits>(std::min<uint32_t>(p, Word<OutBits>(~0u)));
    memcpy(op + ptrdiff_t(x) * sizeof cooked, &cooked, sizeof cooked);
  }
}

// By input and output width (8, 16, 32 bits), then by form.
template <int InBits>
constexpr ShiftTranslator::RowFn rowsFrom[3][3] = {
    {shiftRow<InBits, 8, Form::InPlace>, shiftRow<InBits, 8, Form::PulledOut>,
     shiftRow<InBits, 8, Form::Separate>},
    {shiftRow<InBits, 16, Form::InPlace>, shiftRow<InBits, 16, Form::PulledOut>,
     shiftRow<InBits, 16, Form::Separate>},
    {shiftRow<InBits, 32, Form::InPlace>, shiftRow<InBits, 32, Form::PulledOut>,
     shiftRow<InBits, 32, Form::Separate>},
};

int widthIndex(int bpp) { return bpp == 8 ? 0 : bpp == 16 ? 1 : bpp == 32 ? 2 : -1; }

ShiftTranslator::RowFn rowFn(int inBpp, int outBpp, Form form) {
  int in = widthIndex(inBpp), out = widthIndex(outBpp), f = int(form);
  return in == 0 ? rowsFrom<8>[out][f] : in == 1 ? rowsFrom<16>[out][f] : rowsFrom<32>[out][f];
}

void swapRow(unsigned char* p, int bytes, int width) {
  for (int x = 0; x < width; x++, p += bytes) {
    if (bytes == 2) {
      uint16_t v;
      memcpy(&v, p, 2);
      v = __builtin_bswap16(v);
      memcpy(p, &v, 2);
    } else {
      uint32_t v;
      memcpy(&v, p, 4);
      v = __builtin_bswap32(v);
      memcpy(p, &v, 4);
    }
  }
}

bool allOnes(unsigned max) { return (max & (max + 1)) == 0; }

uint32_t maskOf(unsigned max, unsigned shift) { return uint32_t(uint64_t(max) << (shift & 31)); }

// What the tables make of every value of one channel: scaled in one step by
// the channel tables, through 8 bits by the whole-pixel ones (the colour in
// between is what their pixel-to-colour conversion gives). Built with the
// tables' own arithmetic, so that the two cannot drift apart.
std::vector<uint32_t> tableScaling(int inMax, int outMax, bool throughEightBits) {
  std::vector<uint32_t> want(size_t(inMax) + 1);
  if (!throughEightBits) {
    initOneRGBTable<32>(want.data(), inMax, outMax, 0, false, nullptr);
    return want;
  }
  std::vector<uint32_t> wide(want.size());
  uint32_t narrow[256];
  initOneRGBTable<32>(wide.data(), inMax, 255, 0, false, nullptr);
  initOneRGBTable<32>(narrow, 255, outMax, 0, false, nullptr);
  for (size_t c = 0; c < want.size(); c++) want[c] = narrow[wide[c]];
  return want;
}

struct Fit {
  uint32_t mul, add;
};

// A multiplier and addend that give ((c * mul + add) >> down) == want[c] for
// every c, with every c * mul + add below limit. The multiplier is tried
// near the slope of want; the addend is then the least that every c allows,
// so an answer is checked against all of want.
bool fitAt(const std::vector<uint32_t>& want, unsigned down, uint64_t limit, Fit* fit) {
  const int64_t last = int64_t(want.size()) - 1;
  const int64_t one = int64_t(1) << down;
  const int64_t slope = last ? (int64_t(want[last] - want[0]) << down) / last : 0;
  for (int64_t mul = std::max<int64_t>(slope - 2, 0); mul <= slope + 2; mul++) {
    int64_t lo = 0, hi = INT64_MAX;
    for (int64_t c = 0; c <= last && lo <= hi; c++) {
      lo = std::max(lo, int64_t(want[c]) * one - c * mul);
      hi = std::min(hi, (int64_t(want[c]) + 1) * one - 1 - c * mul);
    }
    if (lo <= hi && mul * last + lo < int64_t(limit)) {
      *fit = Fit{uint32_t(mul), uint32_t(lo)};
      return true;
    }
  }
  return false;
}

}  // namespace

bool ShiftTranslator::fitChannels(const PixelFormat& in, Replaces replaces, const PixelFormat& out,
                                  Form form, Channel* channels, unsigned* down) const {
  const bool whole = replaces == Replaces::WholePixelTable;
  // The whole-pixel tables mask each value to the depth; the channel tables
  // take every bit.
  const uint32_t depthMask = whole && in.depth < 32 ? (1u << in.depth) - 1 : 0xFFFFFFFFu;
  const unsigned inMax[3] = {in.redMax, in.greenMax, in.blueMax};
  const unsigned inShift[3] = {in.redShift & 31u, in.greenShift & 31u, in.blueShift & 31u};
  const unsigned outMax[3] = {out.redMax, out.greenMax, out.blueMax};
  const unsigned outShift[3] = {out.redShift & 31u, out.greenShift & 31u, out.blueShift & 31u};
  std::vector<uint32_t> want[3];
  for (int i = 0; i < 3; i++) want[i] = tableScaling(int(inMax[i]), int(outMax[i]), whole);
  Fit f;
  if (form == Form::Separate) {
    for (int i = 0; i < 3; i++) {
      unsigned s = 0;
      while (s < 32 && !fitAt(want[i], s, uint64_t(1) << 32, &f)) s++;
      if (s == 32) return false;
      channels[i] = Channel{inShift[i], inMax[i] & (depthMask >> inShift[i]), f.mul, f.add, 0, s,
                            outShift[i]};
    }
    *down = 0;
    return true;
  }
  // The least common shift that every channel fits with.
  for (unsigned common = 0; common < 32; common++) {
    int i = 0;
    for (; i < 3; i++) {
      const unsigned at = common + outShift[i];
      // In place, the product sits inShift bits up and must not pass bit 31.
      const unsigned sh = form == Form::InPlace ? inShift[i] : 0;
      if (at > 31 || at < sh || !fitAt(want[i], at - sh, uint64_t(1) << (32 - sh), &f)) break;
      const uint32_t keep = maskOf(outMax[i], at);
      if (form == Form::InPlace)
        channels[i] = Channel{0, maskOf(inMax[i], sh) & depthMask, f.mul, f.add << sh, keep, 0, 0};
      else
        channels[i] =
            Channel{inShift[i], inMax[i] & (depthMask >> inShift[i]), f.mul, f.add, keep, 0, 0};
    }
    if (i == 3) {
      *down = common;
      return true;
    }
  }
  return false;
}

bool ShiftTranslator::prepare(const PixelFormat& in, Replaces replaces, const PixelFormat& out) {
  if (!in.trueColour || !out.trueColour || widthIndex(in.bpp) < 0 || widthIndex(out.bpp) < 0)
    return false;
  for (unsigned max : {in.redMax, in.greenMax, in.blueMax, out.redMax, out.greenMax, out.blueMax})
    if (!allOnes(max)) return false;
  // The channel tables add their entries and the whole-pixel ones combine
  // bits: the same only while no output bit belongs to two channels.
  uint32_t red = maskOf(out.redMax, out.redShift), green = maskOf(out.greenMax, out.greenShift),
           blue = maskOf(out.blueMax, out.blueShift);
  if ((red & green) || (red & blue) || (green & blue)) return false;
  // Channels that pass the top of the output are cut there by the tables.
  if (out.bpp < 32 && (red | green | blue) >> out.bpp) return false;
  Channel channels[3];
  unsigned down = 0;
  Form form = Form::InPlace;
  while (!fitChannels(in, replaces, out, form, channels, &down))
    if (form == Form::Separate)
      return false;
    else
      form = Form(int(form) + 1);
  down_ = down;
  std::copy(channels, channels + 3, channels_);
  row_ = rowFn(in.bpp, out.bpp, form);
  inBytes_ = in.bpp / 8;
  outBytes_ = out.bpp / 8;
  // The byte-order rule of the tables: 16- and 32-bit big-endian values are
  // stored reversed; the channel tables are given host-order input.
  swapIn_ = replaces == Replaces::WholePixelTable && in.bigEndian && in.bpp == 16;
  swapOut_ = out.bigEndian && out.bpp > 8;
  return true;
}

void ShiftTranslator::translate(const void* in, int inStride, void* out, int outStride, int width,
                                int height) const {
  PLAT_ASSERT(row_);
  const auto* ip = static_cast<const unsigned char*>(in);
  auto* op = static_cast<unsigned char*>(out);
  for (int y = 0; y < height; y++) {
    const unsigned char* i = ip + ptrdiff_t(y) * inStride * inBytes_;
    unsigned char* o = op + ptrdiff_t(y) * outStride * outBytes_;
    if (!swapIn_) {
      row_(channels_, down_, i, o, width);
    } else {
      // Byte-swapped input goes through a small host-order copy.
      constexpr int kChunk = 512;
      uint16_t chunk[kChunk];
      for (int x = 0; x < width; x += kChunk) {
        int n = std::min(kChunk, width - x);
        memcpy(chunk, i + ptrdiff_t(x) * 2, size_t(n) * 2);
        swapRow(reinterpret_cast<unsigned char*>(chunk), 2, n);
        row_(channels_, down_, chunk, o + ptrdiff_t(x) * outBytes_, n);
      }
    }
    if (swapOut_) swapRow(o, outBytes_, width);
  }
}

}  // namespace fb
