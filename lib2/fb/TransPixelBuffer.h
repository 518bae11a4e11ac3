// A read-only pixel buffer that shows another buffer (its source) in a
// different pixel format and colour map, as a window image drawn in one
// format is shown in the display's native one. It holds no pixels: reads go
// to the source and each pixel passes through a lookup table built for the
// current pair of formats (TransTables.h, TransLoops.h). Tables are rebuilt
// only when a format or the output colour map changes.
//
// The source is borrowed and must outlive this buffer or be replaced first.
// With no source the buffer is empty, and reads give nothing.
#pragma once

#include <memory>

#include "lib2/fb/ColourCube.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/fb/ShiftTranslator.h"
#include "lib2/fb/TransLoops.h"
#include "lib2/fb/TransTables.h"

namespace fb {

class TransPixelBuffer : public PixelBuffer {
 public:
  // rgbFor16bpp: translate 16-bit true colour through three small channel
  // tables instead of one 65536-entry table.
  explicit TransPixelBuffer(bool rgbFor16bpp);
  ~TransPixelBuffer() override;

  // Takes pb's rectangle; the tables are rebuilt when pb's format differs
  // from the last source's. Null empties the rectangle and keeps the tables.
  void setSource(PixelBuffer* pb);
  // The output format.
  void setPf(const PixelFormat& pf);
  // The output colour map (borrowed; null for none).
  void setColourMap(const ColourMap* cm);
  // A true-colour format whose maxima every colour is quantised to from the
  // next rebuild on; a colour-mapped format is ignored.
  void setReductionPF(const PixelFormat& pf);
  // Chooses the route and builds its table; nothing without a source.
  void refreshTranslation();

  // The colour cube made for colour-mapped output, else the source's map.
  const ColourMap* getPreferredColourMap() const;
  const ColourMap* getColourMap() const override;

  void getImage(void* dst, const plat::Rect& r, int dstStride) override;
  // Translated into a scratch buffer that stays valid until the next call.
  const unsigned char* getPixelsR(const plat::Rect& r, int* stride) override;
  void grabRegion(const Region& region) override;

  // Whether reads are translated (false: they go straight to the source).
  bool translates() const { return transFn_ != nullptr || shifts_; }
  // Whether reads are translated without tables.
  bool shifts() const { return shifts_; }

 private:
  void chooseTrueColourOutput(const PixelFormat& in);
  void chooseColourMappedOutput(const PixelFormat& in);
  bool simpleFor(const PixelFormat& in) const;
  // Takes the table-free route in place of the tables when it can.
  bool tryShifts(const PixelFormat& in, ShiftTranslator::Replaces replaces);

  bool rgbFor16bpp_;
  PixelBuffer* source_ = nullptr;  // not owned
  PixelFormat sourcePF_;
  // The source's format as the current loop reads it (in host order for the
  // channel tables).
  PixelFormat loopPF_;
  TransTable table_;
  TransFn transFn_ = nullptr;
  // Set instead of transFn_ when shifter_ translates.
  bool shifts_ = false;
  ShiftTranslator shifter_;
  std::unique_ptr<ColourCube> cube_;
  const ColourMap* outColourMap_ = nullptr;  // not owned
  std::unique_ptr<ManagedPixelBuffer> tmpBuffer_;
  std::unique_ptr<PixelFormat> reductionPF_;
};

}  // namespace fb
