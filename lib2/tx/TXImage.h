// The off-screen image a widget host renders into and copies finished
// rectangles from to its X window. It is a pixel buffer in its own right, so
// the raster code draws into it like into any other, and it is backed by an
// XImage in the display's pixel format: in a shared-memory segment when the
// server offers MIT-SHM (so a put copies nothing through the connection),
// else in ordinary memory put with XPutImage.
//
// When the format asked for is not the display's own, or is colour-mapped,
// drawing goes to a private block and a translator converts each rectangle
// into the XImage just before it is put. Otherwise the buffer addresses the
// XImage's memory directly (stride = bytes per line / bytes per pixel).
//
// Invariants: xim_ is never null after construction; translator_ exists
// exactly while the buffer format is not the native one or is colour-mapped;
// shm_ exists exactly while the XImage lives in shared memory. The segment is
// private to this user (mode 0600) and marked for removal as soon as the
// server has attached, so it cannot outlive the process.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <memory>

#include "lib1/plat/IntParameter.h"
#include "lib2/fb/ColourCube.h"
#include "lib2/fb/ConfigurablePixelBuffer.h"
#include "lib2/fb/TransPixelBuffer.h"

class TXImage : public fb::ConfigurablePixelBuffer {
 public:
  // The Xlib segment record plus whether the server has attached it. Its
  // destructor detaches this process, removes the segment when that was not
  // done yet, and detaches the server.
  struct ShmInfo {
    ShmInfo();
    ~ShmInfo();
    ShmInfo(const ShmInfo&) = delete;
    ShmInfo& operator=(const ShmInfo&) = delete;
    XShmSegmentInfo seg;
    bool attached = false;
    bool removed = false;
  };

  // A null visual is the default screen's, a depth of 0 its default depth.
  // Throws plat::Exception "Error: couldn't find suitable pixmap format" for
  // a depth whose pixmap format is not 8, 16 or 32 bits per pixel.
  TXImage(const plat::Point& size, Visual* visual = nullptr, int depth = 0);
  ~TXImage() override;
  TXImage(const TXImage&) = delete;
  TXImage& operator=(const TXImage&) = delete;

  // Keeps the old pixels at the top left; the new area is pixel 0.
  void setSize(const plat::Point& size) override;
  // Clears the buffer to pixel 0 when the format changes.
  void setPf(const fb::PixelFormat& pf) override;
  // The colour map of a colour-mapped buffer format (borrowed); null gives
  // a 6x6x6 cube whose pixels are their own indices.
  void setColourMap(fb::ColourMap* cm);

  // Copies r of the buffer to w at r moved by offset.
  void put(Window w, GC gc, const plat::Rect& r, const plat::Point& offset = plat::Point());

  bool usesShm() const { return shm_ != nullptr; }
  bool translates() const { return translator_ != nullptr; }
  const fb::PixelFormat& nativePf() const { return nativePf_; }
  // The cube allocated on a colour-mapped display; null on a true-colour one.
  const fb::ColourCube* nativeCube() const { return nativeCube_.get(); }

  static plat::IntParameter cubeSize;

 private:
  void createXImage();
  bool tryShmXImage();
  void destroyXImage();
  void getNativePixelFormat();
  void addressXImage();
  void allocatePrivateBlock();
  int bytesPerPixel() const { return format_.bpp / 8; }

  XImage* xim_ = nullptr;
  Visual* visual_;
  int depth_;
  std::unique_ptr<ShmInfo> shm_;
  std::unique_ptr<fb::TransPixelBuffer> translator_;
  fb::PixelFormat nativePf_;
  std::unique_ptr<fb::ColourCube> nativeCube_;
  std::unique_ptr<fb::ColourCube> ownCube_;
  fb::ColourMap* colourMapInUse_ = nullptr;  // not owned
  std::unique_ptr<unsigned char[]> block_;   // the private block, with a translator
};
