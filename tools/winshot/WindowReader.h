// Reads what a window shows. Through MIT-SHM where the server offers it and
// can share memory with this process: the server then copies the pixels
// into a segment instead of sending them down the connection, which keeps a
// watcher that reads a window while its program is still drawing from
// holding up the server for long (a 415x625 window is a megabyte).
// Elsewhere, or once sharing has failed, through XGetImage.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>
#include <vector>

namespace winshot {

// What a window shows: 0xRRGGBB per pixel, row after row.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  bool empty() const { return pixels.empty(); }
  // A single colour: nothing but a background has been painted.
  bool uniform() const;
  bool operator==(const Picture&) const = default;
};

class WindowReader {
 public:
  explicit WindowReader(Display* dpy);
  ~WindowReader();
  WindowReader(const WindowReader&) = delete;
  WindowReader& operator=(const WindowReader&) = delete;

  // attributes: the window's size, depth and visual. Empty when the window
  // is not viewable or is gone.
  Picture read(Window win, const XWindowAttributes& attributes);

 private:
  // An image in shared memory for a window of that size and kind; false
  // when there is none, and once sharing has failed, never again.
  bool share(const XWindowAttributes& attributes);
  bool attach(const XWindowAttributes& attributes);
  void release();

  Display* dpy_;
  bool shm_;
  XImage* image_ = nullptr;
  XShmSegmentInfo segment_{};
  // The segment's: the screen's size in the window's kind of pixels.
  int bytesPerLine_ = 0;
  int screenHeight_ = 0;
};

}  // namespace winshot
