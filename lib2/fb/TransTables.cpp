#include "lib2/fb/TransTables.h"

#include <cstdint>
#include <cstring>
#include <type_traits>

#include "lib1/plat/Assert.h"

namespace fb {

namespace {

template <int OutBits>
using Entry = std::conditional_t<OutBits == 8, uint8_t,
                                 std::conditional_t<OutBits == 16, uint16_t, uint32_t>>;

// The buffer-order rule: big-endian values of 16 and 32 bits are stored with
// their bytes reversed; values of other widths never are.
unsigned bufferOrder(unsigned v, const PixelFormat& pf) {
  if (!pf.bigEndian) return v;
  if (pf.bpp == 32) return __builtin_bswap32(v);
  if (pf.bpp == 16) return __builtin_bswap16(uint16_t(v));
  return v;
}

// The same format seen in host order and without alpha: the channel packing
// is all the tables use.
PixelFormat plain(const PixelFormat& pf) {
  PixelFormat p = pf;
  p.bigEndian = false;
  p.alphaMax = 0;
  p.alphaShift = 0;
  return p;
}

Colour reduce(const Colour& c, const PixelFormat* reductionPF) {
  if (!reductionPF) return c;
  return pixelToColour(colourToPixel(c, *reductionPF, nullptr), *reductionPF, nullptr);
}

unsigned depthMask(const PixelFormat& pf) {
  return pf.depth >= 32 ? 0xFFFFFFFFu : (1u << pf.depth) - 1;
}

template <int OutBits>
Entry<OutBits>* allocate(TransTable* table, size_t entries) {
  table->replace(new unsigned char[entries * sizeof(Entry<OutBits>)]());
  return reinterpret_cast<Entry<OutBits>*>(table->data);
}

template <int OutBits>
void initSimple(TransTable* table, const PixelFormat& inPF, const ColourMap* inCM,
                const PixelFormat& outPF, const ColourMap* outCM, const PixelFormat* reductionPF) {
  PLAT_ASSERT_MSG(inPF.bpp == 8 || inPF.bpp == 16,
                  "a whole-pixel table needs 8- or 16-bit input, not %d bits", inPF.bpp);
  size_t n = size_t(1) << inPF.bpp;
  Entry<OutBits>* entries = allocate<OutBits>(table, n);
  for (size_t i = 0; i < n; i++) {
    // Swapped before masking: the depth counts bits of the value, not of the
    // bytes in memory.
    unsigned value = bufferOrder(unsigned(i), inPF) & depthMask(inPF);
    Colour c = reduce(pixelToColour(value, inPF, inCM), reductionPF);
    entries[i] = Entry<OutBits>(bufferOrder(colourToPixel(c, outPF, outCM), outPF));
  }
}

template <int OutBits>
void initRGBTCtoTC(TransTable* table, const PixelFormat& inPF, const PixelFormat& outPF,
                   const PixelFormat* reductionPF) {
  PLAT_ASSERT(inPF.isNativeEndian());
  Entry<OutBits>* red =
      allocate<OutBits>(table, size_t(inPF.redMax + inPF.greenMax + inPF.blueMax + 3));
  Entry<OutBits>* green = red + inPF.redMax + 1;
  Entry<OutBits>* blue = green + inPF.greenMax + 1;
  // Only 16- and 32-bit values have a byte order of their own.
  bool swap = outPF.bigEndian && (OutBits == 16 || OutBits == 32);
  const int reduced[3] = {reductionPF ? reductionPF->redMax : 0,
                          reductionPF ? reductionPF->greenMax : 0,
                          reductionPF ? reductionPF->blueMax : 0};
  auto through = [&](int channel) { return reductionPF ? &reduced[channel] : nullptr; };
  initOneRGBTable<OutBits>(red, inPF.redMax, outPF.redMax, outPF.redShift, swap, through(0));
  initOneRGBTable<OutBits>(green, inPF.greenMax, outPF.greenMax, outPF.greenShift, swap,
                           through(1));
  initOneRGBTable<OutBits>(blue, inPF.blueMax, outPF.blueMax, outPF.blueShift, swap, through(2));
}

template <int OutBits>
void initRGBTCtoCM(TransTable* table, const PixelFormat& inPF, const PixelFormat& /*outPF*/,
                   const ColourMap* cm, const ColourCube* cube, const PixelFormat* reductionPF) {
  const ColourMap* orthCM = cube ? cube : cm;
  PLAT_ASSERT(inPF.isNativeEndian());
  PLAT_ASSERT(orthCM->isOrthogonal());
  size_t channels = size_t(inPF.redMax + inPF.greenMax + inPF.blueMax + 3);
  Entry<OutBits>* red =
      allocate<OutBits>(table, channels + (cube ? size_t(cube->numColours()) : 0));
  Entry<OutBits>* green = red + inPF.redMax + 1;
  Entry<OutBits>* blue = green + inPF.greenMax + 1;
  auto entry = [&](unsigned value) {
    return Entry<OutBits>(
        orthCM->rgb888ToPixel(reduce(pixelToColour(value, inPF, nullptr), reductionPF)));
  };
  for (unsigned r = 0; r <= inPF.redMax; r++) red[r] = entry(r << (inPF.redShift & 31));
  for (unsigned g = 0; g <= inPF.greenMax; g++) green[g] = entry(g << (inPF.greenShift & 31));
  for (unsigned b = 0; b <= inPF.blueMax; b++) blue[b] = entry(b << (inPF.blueShift & 31));
  if (!cube) return;
  Entry<OutBits>* colours = red + channels;
  for (int i = 0; i < cube->numColours(); i++) {
    Colour c;
    cube->pixelToRgb888(unsigned(i), &c);
    colours[i] = Entry<OutBits>(cm->rgb888ToPixel(c));
  }
}

}  // namespace

unsigned colourToPixel(const Colour& c, const PixelFormat& pf, const ColourMap* cm) {
  return plain(pf).rgba8ToPixel(ColourWithAlpha{c.r, c.g, c.b, 0}, cm);
}

Colour pixelToColour(unsigned value, const PixelFormat& pf, const ColourMap* cm) {
  ColourWithAlpha c;
  plain(pf).pixelToRgba8(value, &c, cm);
  return Colour{c.r, c.g, c.b};
}

template <int OutBits>
void initOneRGBTable(void* sub, int inMax, int outMax, int outShift, bool swap, const int* rMax) {
  auto* entries = static_cast<Entry<OutBits>*>(sub);
  for (int v = 0; v <= inMax; v++) {
    // 64 bits: maxima of foreign formats reach 65535, and their products
    // pass the range of an int.
    int64_t x;
    if (!rMax) {
      x = inMax ? (inMax / 2 + int64_t(v) * outMax) / inMax : 0;
    } else {
      int64_t t = inMax ? (inMax / 2 + int64_t(v) * *rMax) / inMax : 0;
      x = *rMax ? (*rMax / 2 + t * outMax) / *rMax : 0;
    }
    uint32_t e = uint32_t(x) << (outShift & 31);
    if (swap && OutBits == 16) e = __builtin_bswap16(uint16_t(e));
    if (swap && OutBits == 32) e = __builtin_bswap32(e);
    entries[v] = Entry<OutBits>(e);
  }
}

template void initOneRGBTable<8>(void*, int, int, int, bool, const int*);
template void initOneRGBTable<16>(void*, int, int, int, bool, const int*);
template void initOneRGBTable<24>(void*, int, int, int, bool, const int*);
template void initOneRGBTable<32>(void*, int, int, int, bool, const int*);

const InitSimpleFn initSimpleFns[4] = {initSimple<8>, initSimple<16>, initSimple<24>,
                                       initSimple<32>};
const InitRGBTCtoTCFn initRGBTCtoTCFns[4] = {initRGBTCtoTC<8>, initRGBTCtoTC<16>, initRGBTCtoTC<24>,
                                             initRGBTCtoTC<32>};
const InitRGBTCtoCMFn initRGBTCtoCMFns[4] = {initRGBTCtoCM<8>, initRGBTCtoCM<16>, initRGBTCtoCM<24>,
                                             initRGBTCtoCM<32>};

}  // namespace fb
