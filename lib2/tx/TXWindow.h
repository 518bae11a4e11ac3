// One X window: creation and destruction, mapping, window-manager hints,
// geometry, grabs and focus, and the dispatch of the events the pump finds
// for it. Every live TXWindow is in tx::windows under its id.
//
// Dispatch keeps input away from every window but the modal one (the newest
// of tx::modalWindows) unless some window holds the matching grab. At most
// one window holds the pointer grab and one the keyboard grab; a window gives
// up what it holds when it is destroyed. Handlers called from dispatch may
// destroy the window: nothing touches it after such a call.
//
// Another client may destroy the X window while its TXWindow lives (our own
// destruction takes the window out of tx::windows first, so a DestroyNotify
// that still finds it is never ours). From then on the window counts as
// unmapped, unfocused, not modal and holding no grab or selection, and
// showing, hiding and the destructor send nothing naming the dead id.
#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <map>
#include <optional>
#include <string>

#include "lib1/plat/Buffers.h"
#include "lib1/plat/Geometry.h"
#include "lib2/tx/TXEventHandler.h"

class TXWindow {
 public:
  // A null parent puts the window on the default screen's root, unmapped; a
  // window with a parent is mapped at once. Sizes below 1 become 1.
  TXWindow(int width, int height, TXWindow* parent, int borderWidth, bool overrideRedirect);
  virtual ~TXWindow();
  TXWindow(const TXWindow&) = delete;
  TXWindow& operator=(const TXWindow&) = delete;

  // Installs h and returns the handler it replaces, to chain to.
  TXEventHandler* setEventHandler(TXEventHandler* h);
  void addEventMask(long bits);
  void removeEventMask(long bits);

  void map();
  void unmap();  // a top-level window is also withdrawn
  // Makes the window a managed top-level window; cb and className may be
  // null (no close protocol; the class "<company>-<app>").
  void toplevel(const char* name, TXDeleteWindowCallback* cb, const char* className);
  void toplevelShow();
  void setInitialState(bool iconic);
  void iconify();
  void setWindowName(const char* utf8);
  void setUrgency(bool urgent);
  void setOverrideRedirect(bool overrideRedirect);
  void setBorderWidth(int width);

  void resize(plat::Point size);
  void setGeometry(const char* geometry, plat::Rect defaults);
  void setMinSize(int w, int h);  // both non-zero, or no minimum
  void setMaxSize(int w, int h);
  void setFixedSize(bool fixed);
  void setUSPosition(plat::Point pos, bool move);
  plat::Point getPosition();
  void centerOnScreen();

  // Grabs fail while any window holds that grab; releases fail unless this
  // window holds it. The holder of the keyboard grab gets every key.
  bool grabPointer(bool grab, Cursor cursor);
  bool grabKeyboard(bool grab);
  bool grabPointerAndKeyboard(bool grab, Cursor cursor);
  void setInputFocus(Time time);
  void setActiveWindow();
  static Window getActiveWindow();

  // Takes the first queued event of type for this window, waiting up to
  // timeoutMs for it; false on a time-out.
  bool waitForTypedEvent(int type, int timeoutMs, XEvent* event);
  void drawBevel(GC gc, int x, int y, int w, int h, int b, unsigned long middle,
                 unsigned long topLeft, unsigned long bottomRight, bool oval);

  void handleXEvent(XEvent* event, TXWindow* modal);

  // Selections (TXWindowSelection.cpp). The text this window offers and the
  // text it last received are kept apart, so that a late answer never
  // changes what other clients paste from us. Texts are UTF-8 inside and
  // UTF8_STRING or Latin-1 STRING on the wire.
  void setClipboard(const char* utf8);
  void ownSelection(Atom selection, Time time);
  bool ownsSelection(Atom selection) const { return ownedSelections_.count(selection) != 0; }
  // The CLIPBOARD text, or null when there is none to be had (no owner, a
  // refusal, a time-out): our own (or another window's of this process)
  // without asking the server, else UTF8_STRING then STRING from the owner,
  // each waited for up to 1000 ms. A text sent in pieces must be whole 5 s
  // after the first request, or it is dropped with an error logged.
  const char* getClipboard();
  // True when an answer came in time; the received text then holds it (null
  // for a refusal or a text in pieces not whole within 5 s).
  bool getSelection(Atom selection, Atom target, int timeoutMs);
  const char* receivedText() const { return received_ ? received_->c_str() : nullptr; }
  void setCutBufferUtf8(plat::CBuf<char> utf8);

  Window win() const { return win_; }
  TXWindow* parent() const { return parent_; }
  plat::Point size() const { return size_; }
  int width() const { return size_.x; }
  int height() const { return size_.y; }
  long eventMask() const { return eventMask_; }
  bool isMapped() const { return mapped_; }
  bool isFocused() const { return focused_; }
  bool isToplevel() const { return toplevel_; }
  bool isOverrideRedirect() const { return overrideRedirect_; }
  // True once another client destroyed the X window.
  bool isDestroyed() const { return destroyed_; }

  static TXWindow* grabPointerWin;
  static TXWindow* grabKeyboardWin;
  // The _NET_WM_ICON data every top-level window gets: a count of longs and
  // the longs (null: no icon). Not owned.
  struct IconData {
    int count = 0;
    const unsigned long* data = nullptr;
  };
  static IconData defaultIconData;
  static Display*& dpy;

 protected:
  virtual void resizeNotify() {}
  virtual void configureNotify() {}
  virtual void takeFocus(Time) {}
  // Another client destroyed the X window; isDestroyed() holds already. It
  // may destroy this TXWindow.
  virtual void destroyNotify() {}
  // Writes the text offered for a STRING or UTF8_STRING request; false
  // refuses it.
  virtual bool selectionRequest(Window requestor, Atom selection, Atom property, Atom target);
  // Stores a received text (null data: none came).
  virtual void selectionNotify(XSelectionEvent* event, Atom type, int format, int nitems,
                               void* data);
  // False, writing nothing, for a target other than STRING or UTF8_STRING,
  // or when a text too large for one read cannot be announced in pieces.
  bool setSelectionPropertyUtf8(Window requestor, Atom property, Atom target,
                                plat::CBuf<char> utf8);

 private:
  void sendSizeHints();
  // Forgets what died with the X window (TXWindowEvents.cpp).
  void destroyedElsewhere();
  void answerSelectionRequest(const XSelectionRequestEvent& request);
  // deadline: monotonic time by which a text in pieces must be whole.
  bool requestSelection(Atom selection, Atom target, int timeoutMs, long long deadline);
  void getSelProp(XEvent* event, long long deadline);
  // For an answer that came after its wait: a text in pieces has 5 s from now.
  void getSelProp(XEvent* event);
  // Collects an incremental transfer announced in property; false when the
  // owner stopped sending, the deadline passed or the text cannot be read
  // whole.
  bool receiveIncrementally(Atom property, long long deadline, Atom* type, std::string* text);
  // True when event must not reach this window: a modal window other than
  // this is up and nobody holds the grab that would let it through.
  bool filtered(TXWindow* modal, TXWindow* grabHolder) const {
    return modal && modal != this && !grabHolder;
  }

  TXWindow* parent_;
  Window win_ = 0;
  plat::Point size_;
  TXEventHandler* eventHandler_ = nullptr;
  TXDeleteWindowCallback* deleteWindowCallback_ = nullptr;
  long eventMask_ = 0;
  XSizeHints sizeHints_{};
  bool toplevel_ = false;
  bool mapped_ = false;
  bool focused_ = false;
  bool overrideRedirect_;
  bool fixedSize_ = false;
  bool destroyed_ = false;
  std::optional<std::string> offered_;
  std::optional<std::string> received_;
  std::map<Atom, Time> ownedSelections_;
};
