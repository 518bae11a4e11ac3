// gfxutil::PngFile decodes one PNG image held in memory into a pixel buffer.
// The header is read when the object is built, so that size and format are
// known before a buffer is made; the pixels are read, once, by loadImage.
//
// Every PNG comes out as 32-bit pixels: true colour without alpha (bytes
// blue, green, red, 0) or with it (argb8le), in host byte order. Palette, grey
// and 16-bit images are expanded; interlaced images are put together from
// their passes. Images wider or higher than maxPngSide pixels are refused,
// so that no header can ask for a buffer larger than the pixel code handles.
//
// libpng reports errors through a non-local jump back into the operation in
// progress, which turns them into a PngException "<libpng's text>: <name>".
// The PNG bytes are borrowed and must outlive the object.
#pragma once

#include <csetjmp>
#include <memory>

#include "lib1/plat/Buffers.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/String.h"
#include "lib2/fb/ImageLoader.h"

namespace gfxutil {

class PngException : public plat::Exception {
 public:
  // The int is not used; it selects the formatting form.
  PngException(int, const char* format, ...) __attribute__((format(printf, 3, 4)));
};

inline constexpr int maxPngSide = 32767;

class PngFile : public fb::ImageLoader {
 public:
  // Reads the header; throws PngException on bad data. A null name is
  // reported as "<unknown>".
  PngFile(plat::CBuf<unsigned char> data, bool premultiply, const char* name);
  ~PngFile() override;
  PngFile(const PngFile&) = delete;
  PngFile& operator=(const PngFile&) = delete;

  plat::Point getSize() const override { return size_; }
  const fb::PixelFormat& getPf() const override { return pf_; }
  // pb must have getPf(). On an error the rows read so far stay in pb.
  void loadImage(fb::WritablePixelBuffer* pb, plat::Point pos) override;

 private:
  struct Structs;    // libpng's read and info structures, destroyed together
  struct Callbacks;  // what libpng calls back, with access to this object

  [[noreturn]] void fail() const;
  bool readHeader();
  bool readRows(unsigned char* base, int stride);
  void premultiplyRows(unsigned char* base, int stride) const;

  plat::CBuf<unsigned char> data_;
  size_t readPos_ = 0;
  fb::PixelFormat pf_;
  plat::Point size_;
  std::unique_ptr<Structs> png_;
  int passes_ = 1;
  char errorMessage_[200] = "";
  plat::String name_;
  bool premultiply_;
  bool loaded_ = false;
};

}  // namespace gfxutil
