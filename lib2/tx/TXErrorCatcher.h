// A scoped catcher of X protocol errors. While one lives, every X error is
// recorded in the innermost catcher and logged at its level, never fatal.
// Catchers nest and die in the reverse order of their construction (a fatal
// assertion otherwise). With sync, the connection is synchronised before the
// catcher lets go, so that the errors of the requests it guards reach it.
//
// Outside every catcher an X error is logged at error level and the program
// goes on: a protocol error is never a reason to end it. A BadWindow or
// BadDrawable on a window that another client destroyed under a live
// TXWindow is logged at info level: that is the other client's doing.
#pragma once

#include <X11/Xlib.h>

namespace tx {

class ErrorCatcher {
 public:
  ErrorCatcher(int level, bool sync);
  explicit ErrorCatcher(bool sync);  // logs at level 30 (info)
  ~ErrorCatcher();
  ErrorCatcher(const ErrorCatcher&) = delete;
  ErrorCatcher& operator=(const ErrorCatcher&) = delete;

  int errorCode() const { return errorCode_; }  // 0: no error caught
  const char* errorText() const { return errorText_; }

  static ErrorCatcher* currentCatcher;

  // Installed when the display opens: the handler of errors that arrive
  // while no catcher lives.
  static void installDefaultHandler();

 private:
  static int handler(Display* display, XErrorEvent* error);

  bool sync_;
  int level_;
  int errorCode_ = 0;
  char errorText_[256] = "";
  ErrorCatcher* previous_ = nullptr;
  int (*previousHandler_)(Display*, XErrorEvent*) = nullptr;
};

}  // namespace tx
