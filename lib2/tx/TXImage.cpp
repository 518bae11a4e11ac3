#include "lib2/tx/TXImage.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "lib1/plat/Assert.h"
#include "lib1/plat/Exception.h"
#include "lib1/plat/Log.h"
#include "lib2/fb/Draw.h"
#include "lib2/fb/ImageRect.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXErrorCatcher.h"
#include "lib2/tx/TXUtil.h"

PLAT_LOG_WRITER(vlog, "TXImage");

plat::IntParameter TXImage::cubeSize(
    "ColorCubeSize", "Size of NxNxN color cube to allocate for colormapped displays (2 to 6)", 4,
    true, nullptr, 2, 6);

namespace {
bool shmLogged = false;
bool visualLogged = false;
char* const noAddress = reinterpret_cast<char*>(-1);

int trailingZeros(unsigned long mask) {
  if (!mask) return 255;
  int n = 0;
  while (!(mask & 1)) {
    mask >>= 1;
    n++;
  }
  return n;
}
}  // namespace

TXImage::ShmInfo::ShmInfo() {
  std::memset(&seg, 0, sizeof(seg));
  seg.shmid = -1;
  seg.shmaddr = noAddress;
}

TXImage::ShmInfo::~ShmInfo() {
  if (seg.shmaddr != noAddress) shmdt(seg.shmaddr);
  // Once removed the id may already name another process's segment.
  if (seg.shmid != -1 && !removed) shmctl(seg.shmid, IPC_RMID, nullptr);
  if (attached) XShmDetach(tx::dpy, &seg);
}

TXImage::TXImage(const plat::Point& size, Visual* visual, int depth)
    : visual_(visual ? visual : DefaultVisual(tx::dpy, DefaultScreen(tx::dpy))),
      depth_(depth ? depth : DefaultDepth(tx::dpy, DefaultScreen(tx::dpy))) {
  width_ = std::max(size.x, 0);
  height_ = std::max(size.y, 0);
  getNativePixelFormat();
  createXImage();
  // A format the buffer never holds, so that setPf takes the native one.
  format_ = fb::PixelFormat(8, 1, false, true, 1, 1, 1, 0, 1, 2);
  setPf(nativePf_);
}

TXImage::~TXImage() {
  translator_.reset();
  destroyXImage();
}

void TXImage::destroyXImage() {
  // The segment is not the C library's memory: XDestroyImage must not free it.
  if (xim_ && shm_) xim_->data = nullptr;
  shm_.reset();
  if (xim_) XDestroyImage(xim_);
  xim_ = nullptr;
}

void TXImage::createXImage() {
  destroyXImage();
  int w = std::max(width_, 1), h = std::max(height_, 1);
  if (XShmQueryExtension(tx::dpy)) {
    try {
      if (tryShmXImage()) return;
    } catch (plat::Exception& e) {
      vlog().info("%s", e.str());
      destroyXImage();
    }
  }
  xim_ = XCreateImage(tx::dpy, visual_, depth_, ZPixmap, 0, nullptr, w, h, BitmapPad(tx::dpy), 0);
  PLAT_ASSERT(xim_);
  xim_->data = static_cast<char*>(std::malloc(size_t(xim_->bytes_per_line) * h));
  PLAT_ASSERT(xim_->data);
}

bool TXImage::tryShmXImage() {
  int w = std::max(width_, 1), h = std::max(height_, 1);
  shm_ = std::make_unique<ShmInfo>();
  xim_ = XShmCreateImage(tx::dpy, visual_, depth_, ZPixmap, nullptr, &shm_->seg, w, h);
  if (!xim_) throw plat::Exception("XShmCreateImage failed");
  // Owner only: the image shows what the dialog shows.
  shm_->seg.shmid = shmget(IPC_PRIVATE, size_t(xim_->bytes_per_line) * h, IPC_CREAT | 0600);
  if (shm_->seg.shmid < 0) {
    int err = errno;
    throw plat::ExceptionFmt("shmget: %s (%d) (%dx%dx%d)", strerror(err), err, w, h, depth_);
  }
  void* addr = shmat(shm_->seg.shmid, nullptr, 0);
  if (addr == reinterpret_cast<void*>(-1)) {
    int err = errno;
    throw plat::ExceptionFmt("shmat: %s (%d) (%dx%dx%d)", strerror(err), err, w, h, depth_);
  }
  shm_->seg.shmaddr = xim_->data = static_cast<char*>(addr);
  shm_->seg.readOnly = False;
  {
    tx::ErrorCatcher catcher(false);
    XShmAttach(tx::dpy, &shm_->seg);
    XSync(tx::dpy, False);
    if (catcher.errorCode()) throw plat::ExceptionFmt("XShmAttach failed: %s", catcher.errorText());
  }
  shm_->attached = true;
  shmctl(shm_->seg.shmid, IPC_RMID, nullptr);
  shm_->removed = true;
  if (!shmLogged) vlog().debug("Using shared memory XImage");
  shmLogged = true;
  return true;
}

void TXImage::getNativePixelFormat() {
  int n = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(tx::dpy, &n);
  int bpp = 0;
  for (int i = 0; i < n; i++)
    if (formats[i].depth == depth_) bpp = formats[i].bits_per_pixel;
  if (formats) XFree(formats);
  if (bpp != 8 && bpp != 16 && bpp != 32)
    throw plat::Exception("Error: couldn't find suitable pixmap format");

  bool trueColour = visual_->c_class == TrueColor;
  if (!visualLogged)
    vlog().debug("Using default colormap and visual, %sdepth %d.",
                 trueColour                        ? "TrueColor, "
                 : visual_->c_class == PseudoColor ? "PseudoColor, "
                                                   : "",
                 depth_);
  visualLogged = true;
  bool bigEndian = ImageByteOrder(tx::dpy) == MSBFirst;
  if (trueColour) {
    int rs = trailingZeros(visual_->red_mask), gs = trailingZeros(visual_->green_mask),
        bs = trailingZeros(visual_->blue_mask);
    auto maxOf = [](unsigned long mask, int shift) { return shift >= 64 ? 0 : int(mask >> shift); };
    nativePf_ = fb::PixelFormat(bpp, depth_, bigEndian, true, maxOf(visual_->red_mask, rs),
                                maxOf(visual_->green_mask, gs), maxOf(visual_->blue_mask, bs),
                                rs == 255 ? 0 : rs, gs == 255 ? 0 : gs, bs == 255 ? 0 : bs);
    return;
  }
  nativePf_ = fb::PixelFormat(bpp, depth_, bigEndian, false, 0, 0, 0, 0, 0, 0);
  int cells = cubeSize.getValue();
  nativeCube_ = std::make_unique<fb::ColourCube>(cells, cells, cells);
  std::unique_ptr<XColor[]> colours(new XColor[cells * cells * cells]);
  for (int r = 0; r < cells; r++)
    for (int g = 0; g < cells; g++)
      for (int b = 0; b < cells; b++) {
        XColor& c = colours[(r * cells + g) * cells + b];
        c.red = r * 65535 / (cells - 1);
        c.green = g * 65535 / (cells - 1);
        c.blue = b * 65535 / (cells - 1);
      }
  tx::getColors(colours.get(), cells * cells * cells);
  for (int i = 0; i < cells * cells * cells; i++)
    nativeCube_->setEntry(i, unsigned(colours[i].pixel));
}

void TXImage::addressXImage() {
  block_.reset();
  data_ = reinterpret_cast<unsigned char*>(xim_->data);
  int bytes = xim_->bits_per_pixel / 8;
  stride_ = bytes ? xim_->bytes_per_line / bytes : 0;
  if (stride_ == 0) stride_ = width_;
}

void TXImage::allocatePrivateBlock() {
  size_t bytes = std::max(size_t(width_) * height_ * bytesPerPixel(), size_t(1));
  block_ = std::make_unique<unsigned char[]>(bytes);
  data_ = block_.get();
  stride_ = width_;
}

void TXImage::setPf(const fb::PixelFormat& requested) {
  if (requested.equal(format_) && requested.trueColour == format_.trueColour) return;
  format_ = requested;
  if (!format_.trueColour) format_.bpp = format_.depth = 8;
  block_.reset();
  translator_.reset();
  if (!format_.trueColour) setColourMap(colourMapInUse_);
  if (!format_.equal(nativePf_) || !format_.trueColour) {
    allocatePrivateBlock();
    translator_ = std::make_unique<fb::TransPixelBuffer>(false);
    translator_->setPf(nativePf_);
    translator_->setColourMap(nativeCube_.get());
    translator_->setSource(this);
  } else {
    addressXImage();
  }
  fb::fillRect(this, getRect(), 0);
}

void TXImage::setColourMap(fb::ColourMap* cm) {
  ownCube_.reset();
  colourMapInUse_ = cm;
  colourMap_ = cm;
  if (!format_.trueColour && !cm) {
    ownCube_ = std::make_unique<fb::ColourCube>(6, 6, 6);
    colourMap_ = ownCube_.get();
  }
  if (translator_) translator_->refreshTranslation();
}

void TXImage::setSize(const plat::Point& requested) {
  plat::Point size(std::max(requested.x, 0), std::max(requested.y, 0));
  if (size == plat::Point(width_, height_)) return;
  int oldWidth = width_, oldHeight = height_, oldStride = stride_;
  std::unique_ptr<unsigned char[]> old;
  if (translator_) {
    old = std::move(block_);
  } else {
    size_t bytes = size_t(xim_->bytes_per_line) * std::max(oldHeight, 1);
    old = std::make_unique<unsigned char[]>(bytes);
    std::memcpy(old.get(), xim_->data, bytes);
  }
  width_ = size.x;
  height_ = size.y;
  createXImage();
  if (translator_) {
    allocatePrivateBlock();
    translator_->setSource(this);
  } else {
    addressXImage();
  }
  fb::fillRect(this, getRect(), 0);
  if (old && data_)
    fb::imageRect(old.get(), data_, std::min(oldWidth, width_), std::min(oldHeight, height_),
                  bytesPerPixel(), oldStride, stride_);
}

void TXImage::put(Window w, GC gc, const plat::Rect& r, const plat::Point& offset) {
  // A rectangle reaching past the image would read past the XImage's memory.
  plat::Rect all = getRect();
  plat::Rect area(std::max(r.tl.x, all.tl.x), std::max(r.tl.y, all.tl.y),
                  std::min(r.br.x, all.br.x), std::min(r.br.y, all.br.y));
  if (area.isEmpty()) return;
  int x = area.tl.x, y = area.tl.y, width = area.width(), height = area.height();
  if (translator_) {
    int bytes = xim_->bits_per_pixel / 8;
    char* dst = xim_->data + size_t(y) * xim_->bytes_per_line + size_t(x) * bytes;
    translator_->getImage(dst, area, xim_->bytes_per_line / bytes);
  }
  if (shm_)
    XShmPutImage(tx::dpy, w, gc, xim_, x, y, x + offset.x, y + offset.y, width, height, False);
  else
    XPutImage(tx::dpy, w, gc, xim_, x, y, x + offset.x, y + offset.y, width, height);
}
