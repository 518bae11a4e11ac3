#include "lib2/gfxutil/PngFile.h"

#include <png.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "lib1/plat/Assert.h"
#include "lib2/fb/WritablePixelBuffer.h"

namespace gfxutil {

PngException::PngException(int, const char* format, ...) : plat::Exception(nullptr, "Png") {
  va_list args;
  va_start(args, format);
  msg.vprf(format, args);
  va_end(args);
}

struct PngFile::Structs {
  png_structp pp = nullptr;
  png_infop ip = nullptr;
  ~Structs() { png_destroy_read_struct(&pp, ip ? &ip : nullptr, nullptr); }
};

struct PngFile::Callbacks {
  static void readData(png_structp pp, png_bytep out, size_t n) {
    PngFile* self = static_cast<PngFile*>(png_get_io_ptr(pp));
    if (n > size_t(self->data_.length) - self->readPos_) png_error(pp, "Bad PNG data");
    memcpy(out, self->data_.data + self->readPos_, n);
    self->readPos_ += n;
  }
  // Keeps the text and jumps back to the point the operation in progress
  // set: nothing may unwind through libpng's C frames.
  static void onError(png_structp pp, png_const_charp message) {
    PngFile* self = static_cast<PngFile*>(png_get_error_ptr(pp));
    snprintf(self->errorMessage_, sizeof(self->errorMessage_), "%s", message);
    png_longjmp(pp, 1);
  }
  // Warnings (a bad ancillary chunk, say) change nothing in the image, and
  // libpng would otherwise print them on stderr.
  static void onWarning(png_structp, png_const_charp) {}
};

PngFile::PngFile(plat::CBuf<unsigned char> data, bool premultiply, const char* name)
    : data_(data),
      png_(std::make_unique<Structs>()),
      name_(name ? name : "<unknown>"),
      premultiply_(premultiply) {
  PLAT_ASSERT(data_.length >= 0 && (data_.data || data_.length == 0));
  png_->pp =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, this, Callbacks::onError, Callbacks::onWarning);
  PLAT_ASSERT(png_->pp);
  png_->ip = png_create_info_struct(png_->pp);
  PLAT_ASSERT(png_->ip);
  if (!readHeader()) fail();

  int colourType = png_get_color_type(png_->pp, png_->ip);
  if (colourType == PNG_COLOR_TYPE_RGB)
    pf_ = fb::PixelFormat(32, 24, false, true, 255, 255, 255, 16, 8, 0);
  else if (colourType == PNG_COLOR_TYPE_RGB_ALPHA)
    pf_ = fb::PixelFormat::argb8le();
  else
    throw PngException(1, "PNG color type %d not supported: %s", colourType, name_.get());
  pf_.makeNativeEndian();
  PLAT_ASSERT(png_get_rowbytes(png_->pp, png_->ip) == size_t(size_.x) * 4);
}

PngFile::~PngFile() = default;

void PngFile::fail() const { throw PngException(1, "%s: %s", errorMessage_, name_.get()); }

// No object with a destructor may live in the frames between setjmp and the
// jump, so the libpng calls sit in functions of their own that hold only
// plain values.
bool PngFile::readHeader() {
  png_structp pp = png_->pp;
  png_infop ip = png_->ip;
  if (setjmp(png_jmpbuf(pp))) return false;
  png_set_read_fn(pp, this, Callbacks::readData);
  // Our own limit below is the one that speaks, with a message that says
  // what is wrong; libpng's default one merely calls the header invalid.
  png_set_user_limits(pp, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_read_info(pp, ip);
  // Larger images could not be addressed by the pixel code. Refused before
  // any buffer is made for them.
  png_uint_32 width = png_get_image_width(pp, ip), height = png_get_image_height(pp, ip);
  if (width > maxPngSide || height > maxPngSide) {
    snprintf(errorMessage_, sizeof(errorMessage_), "Image of %ux%u pixels is too large",
             unsigned(width), unsigned(height));
    return false;
  }
  png_set_bgr(pp);
  png_set_expand(pp);
  png_set_strip_16(pp);
  png_set_gray_to_rgb(pp);
  png_set_filler(pp, 0, PNG_FILLER_AFTER);
  passes_ = png_set_interlace_handling(pp);
  png_read_update_info(pp, ip);
  size_ = plat::Point(int(width), int(height));
  return true;
}

void PngFile::loadImage(fb::WritablePixelBuffer* pb, plat::Point pos) {
  PLAT_ASSERT(pb->getPf().equal(pf_));
  // libpng reads the rows once; a second pass would find the data used up.
  PLAT_ASSERT(!loaded_);
  loaded_ = true;
  plat::Rect rect(pos, pos + size_);
  int stride = 0;
  unsigned char* base = pb->getPixelsRW(rect, &stride);
  PLAT_ASSERT(base);
  if (!readRows(base, stride)) fail();
  if (premultiply_ && pf_.alphaMax != 0) premultiplyRows(base, stride);
}

// What fb::multiplyByAlpha does to each pixel, (colour * alpha + 127) / 255,
// on the one layout this decoder writes: bytes blue, green, red, alpha. The
// general blit converts every pixel to a colour and back, which took most of
// the time of decoding an icon.
void PngFile::premultiplyRows(unsigned char* base, int stride) const {
  for (int y = 0; y < size_.y; y++) {
    unsigned char* p = base + size_t(y) * size_t(stride) * 4;
    for (int x = 0; x < size_.x; x++, p += 4) {
      unsigned a = p[3];
      if (a == 255) continue;
      for (int c = 0; c < 3; c++) p[c] = (unsigned char)((p[c] * a + 127) / 255);
    }
  }
}

// Each pass of an interlaced image fills in its own pixels of every row, on
// top of what the earlier passes left there.
bool PngFile::readRows(unsigned char* base, int stride) {
  png_structp pp = png_->pp;
  if (setjmp(png_jmpbuf(pp))) return false;
  size_t rowBytes = size_t(stride) * (pf_.bpp / 8);
  for (int pass = 0; pass < passes_; pass++)
    for (int y = 0; y < size_.y; y++) png_read_row(pp, base + rowBytes * size_t(y), nullptr);
  return true;
}

}  // namespace gfxutil
