// The desktop one end-to-end test runs on: a private Xvfb of its own with
// openbox, and the test's own connection to it, through which the test looks
// at windows and plays the person with XTEST (pointer and keys, as the
// server's own input, so the window manager sees them too).
//
// The connection watches the root window's children (openbox's frames and
// override-redirect popups come and go there), so that a wait for a window to
// appear or go wakes on the X event that tells it.
#pragma once

#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/WindowManager.h"
#include "tests/support/XServer.h"

namespace e2e {

class Desktop {
 public:
  Desktop();
  ~Desktop();

  const std::string& display() const { return server_.name(); }
  Display* dpy() const { return dpy_; }
  int fd() const { return ConnectionNumber(dpy_); }
  // Reads the events that came in; each ends nothing but a wait.
  void drainEvents();
  // Top-level windows created since the desktop came up.
  int windowsCreated() const { return created_; }
  // From now on every paint of w wakes a wait (DAMAGE).
  void watchPaint(Window w);
  // The owner of CLIPBOARD, 0 for none; a change of owner wakes a wait.
  Window clipboardOwner() const;

  // The client windows (openbox's frames looked through), in stacking order.
  std::vector<Window> clients() const;
  // The first mapped client whose WM_NAME is name; 0 when none.
  Window findByName(const std::string& name) const;
  // The override-redirect windows mapped on the root, bottom to top.
  std::vector<Window> popups() const;
  bool viewable(Window w) const;
  // Whether w has the keyboard focus; from the first call on, focus changes
  // of w wake a wait.
  bool focused(Window w);
  // x, y of w on the screen; nullopt when w is gone.
  std::optional<std::pair<int, int>> toScreen(Window w, int x, int y) const;
  // The window's size; 0x0 when it is gone.
  std::pair<int, int> size(Window w) const;

  // Properties of a window; empty when missing.
  std::string text(Window w, const char* property) const;
  std::vector<long> cardinals(Window w, const char* property) const;
  std::vector<std::string> atoms(Window w, const char* property) const;

  // The pointer to x, y of w, then a press and a release of button.
  void click(Window w, int x, int y, int button = 1);
  // A key pressed and released, with modifiers (keysyms such as Control_L)
  // held around it.
  void key(KeySym keysym, const std::vector<KeySym>& modifiers = {});
  // Types text (printable ASCII), with Shift where the key map needs it.
  void type(const std::string& text);
  // The window manager's close button: _NET_CLOSE_WINDOW, as a pager sends.
  void closeThroughWindowManager(Window w);

  // Distinct colours in w's pixels (a blank window has one).
  size_t colours(Window w, int x, int y, int width, int height) const;

 private:
  gwtest::XServer server_{"1024x768x24", true};
  gwtest::WindowManager wm_{server_.name()};
  Display* dpy_;
  int damageEvent_ = -1;
  int created_ = 0;
};

}  // namespace e2e
