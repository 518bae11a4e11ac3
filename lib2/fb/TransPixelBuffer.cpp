#include "lib2/fb/TransPixelBuffer.h"

#include "lib1/plat/Assert.h"

namespace fb {

namespace {

int bytesOf(const PixelFormat& pf) { return pf.bpp / 8; }

// Levels per axis of the cube for a colour-mapped output of depth bits: the
// most whose cube still fits in the map. At least two: a cube of fewer levels
// cannot space its colours (and a map of one or two bits gets eight colours,
// found through the map's nearest-colour search).
int cubeLevels(int depth) {
  long entries = 1L << depth;
  int n = 2;
  while (long(n + 1) * (n + 1) * (n + 1) <= entries) n++;
  return n;
}

// The format that reads the same channels from a pixel loaded as a host
// word, which is what the channel tables index by. 24-bit values have no
// byte order of their own; a big-endian value with whole-byte channels is
// the little-endian one with its shifts mirrored. False when no such format
// exists (channels that straddle bytes).
bool hostOrderFormat(const PixelFormat& in, PixelFormat* host) {
  *host = in;
  if (in.bpp == 24) {
    host->bigEndian = false;
    return true;
  }
  return in.isNativeEndian() || host->makeNativeEndian();
}

}  // namespace

TransPixelBuffer::TransPixelBuffer(bool rgbFor16bpp) : rgbFor16bpp_(rgbFor16bpp) {}

TransPixelBuffer::~TransPixelBuffer() = default;

void TransPixelBuffer::setSource(PixelBuffer* pb) {
  bool first = source_ == nullptr;
  source_ = pb;
  if (!pb) {
    width_ = height_ = 0;
    offset_ = plat::Point();
    return;
  }
  width_ = pb->getWidth();
  height_ = pb->getHeight();
  offset_ = pb->getOffset();
  if (first || !pb->getPf().equal(sourcePF_)) {
    sourcePF_ = pb->getPf();
    refreshTranslation();
  }
}

void TransPixelBuffer::setPf(const PixelFormat& pf) {
  if (pf.equal(format_)) return;
  format_ = pf;
  if (source_) refreshTranslation();
}

void TransPixelBuffer::setColourMap(const ColourMap* cm) {
  outColourMap_ = cm;
  if (source_) refreshTranslation();
}

void TransPixelBuffer::setReductionPF(const PixelFormat& pf) {
  if (!pf.trueColour) return;
  reductionPF_ = std::make_unique<PixelFormat>(pf);
}

const ColourMap* TransPixelBuffer::getPreferredColourMap() const {
  if (cube_) return cube_.get();
  return source_ ? source_->getColourMap() : nullptr;
}

const ColourMap* TransPixelBuffer::getColourMap() const {
  return outColourMap_ ? outColourMap_ : getPreferredColourMap();
}

bool TransPixelBuffer::simpleFor(const PixelFormat& in) const {
  return in.bpp < 16 || (in.bpp == 16 && !rgbFor16bpp_);
}

void TransPixelBuffer::refreshTranslation() {
  if (!source_) return;
  const PixelFormat& inPF = source_->getPf();
  const PixelFormat& pf = format_;
  PLAT_ASSERT(inPF.depthAndBppAreValid());
  PLAT_ASSERT(pf.depthAndBppAreValid());
  // The whole-pixel tables have rows for 8- and 16-bit input only.
  PLAT_ASSERT(inPF.trueColour || inPF.bpp <= 16);
  cube_.reset();
  shifts_ = false;
  loopPF_ = inPF;
  if (pf.trueColour)
    chooseTrueColourOutput(inPF);
  else
    chooseColourMappedOutput(inPF);
}

void TransPixelBuffer::chooseTrueColourOutput(const PixelFormat& in) {
  const PixelFormat* reduction = reductionPF_.get();
  if (in.equal(format_) && !(reduction && reduction->depth < format_.depth)) {
    transFn_ = nullptr;
    return;
  }
  int out = bytesOf(format_) - 1;
  PixelFormat host;
  bool channels = hostOrderFormat(in, &host);
  // A 16-bit big-endian layout with channels across bytes still has the
  // whole-pixel table.
  if (!in.trueColour || simpleFor(in) || (!channels && in.bpp == 16)) {
    if (tryShifts(in, ShiftTranslator::Replaces::WholePixelTable)) return;
    const ColourMap* inCM = in.trueColour ? nullptr : source_->getColourMap();
    initSimpleFns[out](&table_, in, inCM, format_, nullptr, reduction);
    transFn_ = transSimpleFns[in.bpp / 16][out];
    return;
  }
  PLAT_ASSERT_MSG(channels, "no channel tables for a big-endian %d-bit format", in.bpp);
  if (tryShifts(host, ShiftTranslator::Replaces::ChannelTables)) return;
  loopPF_ = host;
  initRGBTCtoTCFns[out](&table_, host, format_, reduction);
  transFn_ = transRGBFns[bytesOf(in) - 2][out];
}

bool TransPixelBuffer::tryShifts(const PixelFormat& in, ShiftTranslator::Replaces replaces) {
  // A reduction format would add a second rounding; it keeps the tables.
  if (reductionPF_ || !shifter_.prepare(in, replaces, format_)) return false;
  shifts_ = true;
  transFn_ = nullptr;
  table_.replace(nullptr);
  return true;
}

void TransPixelBuffer::chooseColourMappedOutput(const PixelFormat& in) {
  int out = bytesOf(format_) - 1;
  if (!in.trueColour) {
    if (in.bpp == format_.bpp && !outColourMap_) {
      transFn_ = nullptr;
      return;
    }
    initSimpleFns[out](&table_, in, source_->getColourMap(), format_, getColourMap(), nullptr);
    transFn_ = transSimpleFns[in.bpp / 16][out];
    return;
  }
  int n = cubeLevels(format_.depth);
  cube_ = std::make_unique<ColourCube>(n, n, n);
  PixelFormat host;
  bool channels = hostOrderFormat(in, &host);
  if (simpleFor(in) || (!channels && in.bpp == 16)) {
    initSimpleFns[out](&table_, in, nullptr, format_, getColourMap(), nullptr);
    transFn_ = transSimpleFns[in.bpp / 16][out];
    return;
  }
  PLAT_ASSERT_MSG(channels, "no channel tables for a big-endian %d-bit format", in.bpp);
  loopPF_ = host;
  const ColourMap* cm = getColourMap();
  if (cm->isOrthogonal()) {
    initRGBTCtoCMFns[out](&table_, host, format_, cm, nullptr, nullptr);
    transFn_ = transRGBFns[bytesOf(in) - 2][out];
  } else {
    initRGBTCtoCMFns[out](&table_, host, format_, cm, cube_.get(), nullptr);
    transFn_ = transRGBCMFns[bytesOf(in) - 2][out];
  }
}

void TransPixelBuffer::getImage(void* dst, const plat::Rect& r, int dstStride) {
  if (!source_ || r.isEmpty()) return;
  if (!translates()) {
    source_->getImage(dst, r, dstStride);
    return;
  }
  int inStride = 0;
  const unsigned char* in = source_->getPixelsR(r, &inStride);
  if (!in) return;
  if (shifts_) {
    shifter_.translate(in, inStride, dst, dstStride ? dstStride : r.width(), r.width(), r.height());
    return;
  }
  transFn_(table_.data, loopPF_, in, inStride, format_, dst, dstStride ? dstStride : r.width(),
           r.width(), r.height());
}

const unsigned char* TransPixelBuffer::getPixelsR(const plat::Rect& r, int* stride) {
  if (!translates() || !source_) {
    if (source_) return source_->getPixelsR(r, stride);
    if (stride) *stride = 0;
    return nullptr;
  }
  if (!tmpBuffer_) tmpBuffer_ = std::make_unique<ManagedPixelBuffer>();
  tmpBuffer_->setPf(format_);
  tmpBuffer_->setSize(plat::Point(r.width(), r.height()));
  int tmpStride = 0;
  unsigned char* pixels = tmpBuffer_->getPixelsRW(tmpBuffer_->getRect(), &tmpStride);
  getImage(pixels, r, tmpStride);
  if (stride) *stride = tmpStride;
  return pixels;
}

void TransPixelBuffer::grabRegion(const Region& region) {
  if (source_) source_->grabRegion(region);
}

}  // namespace fb
