#include "lib2/fb/TransLoops.h"

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "lib2/fb/PixelAccess.h"

namespace fb {

namespace {

template <int OutBits>
using Entry = std::conditional_t<OutBits == 8, uint8_t,
                                 std::conditional_t<OutBits == 16, uint16_t, uint32_t>>;

// Walks the rectangle, writing map(input value) for every pixel.
template <int InBits, int OutBits, typename Map>
void translate(const void* in, int inStride, void* out, int outStride, int width, int height,
               Map map) {
  const auto* ip = static_cast<const unsigned char*>(in);
  auto* op = static_cast<unsigned char*>(out);
  for (int y = 0; y < height; y++) {
    const unsigned char* i = ip + ptrdiff_t(y) * inStride * (InBits / 8);
    unsigned char* o = op + ptrdiff_t(y) * outStride * (OutBits / 8);
    for (int x = 0; x < width; x++) writePixel<OutBits>(&o, map(readPixel<InBits>(&i)));
  }
}

template <int InBits, int OutBits>
void transSimple(const void* table, const PixelFormat&, const void* in, int inStride,
                 const PixelFormat&, void* out, int outStride, int width, int height) {
  const auto* entries = static_cast<const Entry<OutBits>*>(table);
  translate<InBits, OutBits>(in, inStride, out, outStride, width, height,
                             [entries](unsigned p) { return unsigned(entries[p]); });
}

// The sum of the three channel entries of p.
template <int OutBits>
struct ChannelSum {
  ChannelSum(const void* table, const PixelFormat& inPF)
      : red(static_cast<const Entry<OutBits>*>(table)),
        green(red + inPF.redMax + 1),
        blue(green + inPF.greenMax + 1),
        // Shifts of 32 or more come only from foreign formats; they wrap as
        // the pixel formats' own conversions do.
        redShift(inPF.redShift & 31u),
        greenShift(inPF.greenShift & 31u),
        blueShift(inPF.blueShift & 31u),
        redMax(inPF.redMax),
        greenMax(inPF.greenMax),
        blueMax(inPF.blueMax) {}
  unsigned operator()(unsigned p) const {
    return unsigned(red[(p >> redShift) & redMax]) + green[(p >> greenShift) & greenMax] +
           blue[(p >> blueShift) & blueMax];
  }
  const Entry<OutBits>* red;
  const Entry<OutBits>* green;
  const Entry<OutBits>* blue;
  unsigned redShift, greenShift, blueShift, redMax, greenMax, blueMax;
};

bool is555(const PixelFormat& pf) {
  return pf.redMax == 31 && pf.greenMax == 31 && pf.blueMax == 31 && pf.redShift == 10 &&
         pf.greenShift == 5 && pf.blueShift == 0;
}

template <int InBits, int OutBits>
void transRGB(const void* table, const PixelFormat& inPF, const void* in, int inStride,
              const PixelFormat&, void* out, int outStride, int width, int height) {
  if (InBits == 16 && is555(inPF)) {
    // The common 16-bit layout, with its constants known to the compiler.
    const auto* red = static_cast<const Entry<OutBits>*>(table);
    const auto* green = red + 32;
    const auto* blue = green + 32;
    translate<InBits, OutBits>(in, inStride, out, outStride, width, height, [=](unsigned p) {
      return unsigned(red[(p >> 10) & 31]) + green[(p >> 5) & 31] + blue[p & 31];
    });
    return;
  }
  if (InBits >= 24 && inPF.redMax == 255 && inPF.greenMax == 255 && inPF.blueMax == 255) {
    // Byte channels: each table has 256 entries and an index is one byte.
    const auto* red = static_cast<const Entry<OutBits>*>(table);
    const auto* green = red + 256;
    const auto* blue = green + 256;
    unsigned rs = inPF.redShift & 31, gs = inPF.greenShift & 31, bs = inPF.blueShift & 31;
    translate<InBits, OutBits>(in, inStride, out, outStride, width, height, [=](unsigned p) {
      return unsigned(red[(p >> rs) & 255]) + green[(p >> gs) & 255] + blue[(p >> bs) & 255];
    });
    return;
  }
  translate<InBits, OutBits>(in, inStride, out, outStride, width, height,
                             ChannelSum<OutBits>(table, inPF));
}

template <int InBits, int OutBits>
void transRGBCM(const void* table, const PixelFormat& inPF, const void* in, int inStride,
                const PixelFormat&, void* out, int outStride, int width, int height) {
  ChannelSum<OutBits> sum(table, inPF);
  const Entry<OutBits>* colours = sum.blue + inPF.blueMax + 1;
  translate<InBits, OutBits>(in, inStride, out, outStride, width, height,
                             [sum, colours](unsigned p) { return unsigned(colours[sum(p)]); });
}

}  // namespace

const TransFn transSimpleFns[2][4] = {
    {transSimple<8, 8>, transSimple<8, 16>, transSimple<8, 24>, transSimple<8, 32>},
    {transSimple<16, 8>, transSimple<16, 16>, transSimple<16, 24>, transSimple<16, 32>},
};

const TransFn transRGBFns[3][4] = {
    {transRGB<16, 8>, transRGB<16, 16>, transRGB<16, 24>, transRGB<16, 32>},
    {transRGB<24, 8>, transRGB<24, 16>, transRGB<24, 24>, transRGB<24, 32>},
    {transRGB<32, 8>, transRGB<32, 16>, transRGB<32, 24>, transRGB<32, 32>},
};

const TransFn transRGBCMFns[3][4] = {
    {transRGBCM<16, 8>, transRGBCM<16, 16>, transRGBCM<16, 24>, transRGBCM<16, 32>},
    {transRGBCM<24, 8>, transRGBCM<24, 16>, transRGBCM<24, 24>, transRGBCM<24, 32>},
    {transRGBCM<32, 8>, transRGBCM<32, 16>, transRGBCM<32, 24>, transRGBCM<32, 32>},
};

}  // namespace fb
