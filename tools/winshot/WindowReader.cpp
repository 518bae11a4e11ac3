#include "tools/winshot/WindowReader.h"

#include <X11/Xutil.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace winshot {

namespace {

bool failed = false;
int noteFailure(Display*, XErrorEvent*) {
  failed = true;
  return 0;
}

int shiftOf(unsigned long mask) {
  int s = 0;
  while (mask && !(mask & 1)) mask >>= 1, s++;
  return s;
}

// A mask's value scaled to 8 bits.
uint32_t channel(unsigned long pixel, unsigned long mask) {
  if (!mask) return 0;
  unsigned long max = mask >> shiftOf(mask);
  return uint32_t(((pixel & mask) >> shiftOf(mask)) * 255 / max);
}

Picture convert(const XImage* image, const Visual* v) {
  Picture p;
  p.width = image->width;
  p.height = image->height;
  p.pixels.resize(size_t(p.width) * p.height);
  uint32_t* to = p.pixels.data();
  // Depth 24 in 32-bit pixels of this machine's byte order is the common
  // case and worth a direct copy; anything else goes through Xlib.
  if (std::endian::native == std::endian::little && image->bits_per_pixel == 32 &&
      image->byte_order == LSBFirst && v->red_mask == 0xff0000 && v->green_mask == 0xff00 &&
      v->blue_mask == 0xff) {
    for (int y = 0; y < p.height; y++, to += p.width) {
      memcpy(to, image->data + size_t(y) * image->bytes_per_line, size_t(p.width) * 4);
      for (int x = 0; x < p.width; x++) to[x] &= 0xffffff;
    }
    return p;
  }
  for (int y = 0; y < p.height; y++)
    for (int x = 0; x < p.width; x++) {
      unsigned long px = XGetPixel(const_cast<XImage*>(image), x, y);
      *to++ = channel(px, v->red_mask) << 16 | channel(px, v->green_mask) << 8 |
              channel(px, v->blue_mask);
    }
  return p;
}

}  // namespace

bool Picture::uniform() const {
  return std::all_of(pixels.begin(), pixels.end(), [&](uint32_t p) { return p == pixels[0]; });
}

WindowReader::WindowReader(Display* dpy) : dpy_(dpy), shm_(XShmQueryExtension(dpy)) {}

WindowReader::~WindowReader() { release(); }

void WindowReader::release() {
  if (image_) {
    image_->data = nullptr;
    XDestroyImage(image_);
    image_ = nullptr;
  }
  if (!segment_.shmaddr) return;
  XShmDetach(dpy_, &segment_);
  XSync(dpy_, False);
  shmdt(segment_.shmaddr);
  segment_.shmaddr = nullptr;
}

bool WindowReader::share(const XWindowAttributes& a) {
  if (image_ && image_->width == a.width && image_->height == a.height && image_->depth == a.depth)
    return true;
  if (!shm_) return false;
  // One segment for the whole screen serves every window that can be read
  // (a window reaching off the screen cannot): only the image's header
  // changes from window to window.
  if (image_) {
    image_->data = nullptr;
    XDestroyImage(image_);
  }
  image_ = XShmCreateImage(dpy_, a.visual, unsigned(a.depth), ZPixmap, nullptr, &segment_,
                           unsigned(a.width), unsigned(a.height));
  if (!image_ || (!segment_.shmaddr && !attach(a))) {
    release();
    return shm_ = false;
  }
  if (image_->bytes_per_line > bytesPerLine_ || a.height > screenHeight_) {
    XDestroyImage(image_);
    image_ = nullptr;
    return false;
  }
  image_->data = segment_.shmaddr;
  return true;
}

bool WindowReader::attach(const XWindowAttributes& a) {
  Screen* screen = a.screen;
  XImage* full = XShmCreateImage(dpy_, a.visual, unsigned(a.depth), ZPixmap, nullptr, &segment_,
                                 unsigned(WidthOfScreen(screen)), unsigned(HeightOfScreen(screen)));
  if (!full) return false;
  bytesPerLine_ = full->bytes_per_line;
  screenHeight_ = full->height;
  full->data = nullptr;
  XDestroyImage(full);
  segment_.shmid = shmget(IPC_PRIVATE, size_t(bytesPerLine_) * screenHeight_, IPC_CREAT | 0600);
  if (segment_.shmid < 0) return false;
  void* at = shmat(segment_.shmid, nullptr, 0);
  if (at == reinterpret_cast<void*>(-1)) {
    shmctl(segment_.shmid, IPC_RMID, nullptr);
    return false;
  }
  segment_.readOnly = False;
  // A server on another machine refuses the attachment.
  failed = false;
  auto old = XSetErrorHandler(noteFailure);
  XShmAttach(dpy_, &segment_);
  XSync(dpy_, False);
  XSetErrorHandler(old);
  // Gone once both sides have let go of it.
  shmctl(segment_.shmid, IPC_RMID, nullptr);
  if (failed) {
    shmdt(at);
    return false;
  }
  segment_.shmaddr = static_cast<char*>(at);
  return true;
}

Picture WindowReader::read(Window win, const XWindowAttributes& a) {
  if (share(a))
    return XShmGetImage(dpy_, win, image_, 0, 0, AllPlanes) ? convert(image_, a.visual) : Picture{};
  XImage* image =
      XGetImage(dpy_, win, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
  if (!image) return {};
  Picture p = convert(image, a.visual);
  XDestroyImage(image);
  return p;
}

}  // namespace winshot
