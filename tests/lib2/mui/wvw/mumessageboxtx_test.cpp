#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "lib1/loc/Localize.h"
#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/fb/ManagedPixelBuffer.h"
#include "lib2/mui/MuMessageBox.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDialog.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXProps.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/lib2/mui/wvw/ProbeElement.h"
#include "tests/support/Golden.h"
#include "tests/support/ManagedDialogTest.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XDrive.h"
#include "tests/support/XServer.h"

namespace {

using gwtest::focused;
using gwtest::managed;
using gwtest::typeKey;
using mui::MuMessageBox;

class MuMessageBoxTxTest : public gwtest::ManagedDialogTest {
 protected:
  // Shows a code-modal box and, inside its loop, once the window manager
  // manages the window and has given it the focus, acts on it; returns the
  // answer. A box still up 5 s later is hidden and the case fails.
  bool answer(int flags, const std::function<void(Window)>& act) {
    MuMessageBox box(nullptr, "Sure?", flags, nullptr, nullptr, true, nullptr);
    mui::MuDialog* d = box.getDialog();
    struct Poll : plat::Timer::Callback {
      bool handleTimeout(plat::Timer*) override { return step(); }
      std::function<bool()> step;
      plat::Timer timer{this};
    } poll;
    int polls = 0;
    bool acted = false;
    poll.step = [&] {
      if (++polls > 1000) {
        ADD_FAILURE() << "the box is still up";
        d->show(false);
        return false;
      }
      Window w = d->getWinPtr()->win();
      if (!acted && managed(w) && focused(w)) {
        act(w);
        acted = true;
      }
      return true;
    };
    auto* main = static_cast<mui::MuContainer*>(d->lookupElement("main"));
    gwtest::ProbeElement::add(main, "p", &log, {1, 1})->onStart = [&] { poll.timer.start(5); };
    bool result = box.show();
    EXPECT_TRUE(acted);
    return result;
  }
  // The window manager's close button.
  static void closeThroughTheWindowManager(Window w) {
    tx::sendWmClientMsg(w, XInternAtom(tx::dpy, "_NET_CLOSE_WINDOW", False), 0, 2, 0, 0, 0);
  }
  // The close request the window manager would pass on, sent from another
  // client; it reaches the box before anything this client sends later.
  static void deleteRequest(Window w) {
    Display* other = XOpenDisplay(nullptr);
    XEvent ev{};
    ev.xclient = {ClientMessage, 0, False, nullptr, w, tx::xaWM_PROTOCOLS(), 32};
    ev.xclient.data.l[0] = long(tx::xaWM_DELETE_WINDOW());
    XSendEvent(other, w, False, 0, &ev);
    XCloseDisplay(other);
  }

  plat::TimerManager outer{true};
  gwtest::WvwBackEnd backEnd;
  std::vector<std::string> log;
};

// Escape is bound to nothing: only the buttons and, unless the box asks a
// yes-or-no question, the window manager's close answer it.
TEST_F(MuMessageBoxTxTest, AModalRunReturnsTheAnswer) {
  const struct {
    const char* name;
    int flags;
    std::function<void(Window)> act;
    bool answer;
  } rows[] = {
      {"OK on Return", 0x10, [](Window) { typeKey(XK_Return); }, true},
      {"OK box closed", 0x10, closeThroughTheWindowManager, true},
      {"OK and Cancel closed", 1, closeThroughTheWindowManager, false},
      {"Escape is not Cancel", 1, [](Window) { typeKey(XK_Escape), typeKey(XK_Return); }, true},
      {"Cancel on Return", 1 | 0x200, [](Window) { typeKey(XK_Return); }, false},
      {"Yes on Return", 4, [](Window) { typeKey(XK_Return); }, true},
      {"Yes and No not closed", 4 | 0x100, [](Window w) { deleteRequest(w), typeKey(XK_Return); },
       false},
      {"an unknown button set closes", 2, closeThroughTheWindowManager, true},
  };
  for (const auto& r : rows) EXPECT_EQ(answer(r.flags, r.act), r.answer) << r.name;
}

// WM_NAME is Latin-1.
TEST_F(MuMessageBoxTxTest, TheTitleIsTheLongNameThenTheCaption) {
  const struct {
    const char* longName;
    const char* caption;
    const char* title;
  } rows[] = {
      {"Grantwell", "Error", "Grantwell - Error"},
      {"Grantwell", nullptr, "Grantwell"},
      {"", "Error", "Error"},
  };
  for (const auto& r : rows) {
    os::setAppInfo("", "Zem", "zem", loc::msgid_t(), r.longName);
    MuMessageBox box(nullptr, "m", 0, r.caption, nullptr, false, nullptr);
    char* name = nullptr;
    XFetchName(tx::dpy, box.getDialog()->getWinPtr()->win(), &name);
    EXPECT_STREQ(name, r.title);
    XFree(name);
  }
}

TEST_F(MuMessageBoxTxTest, ABoxMatchesTheGoldenImage) {
  MuMessageBox box(nullptr, "Save the changes to the permissions?", 0x31, nullptr,
                   "Whatever you changed is lost otherwise.", false, nullptr);
  box.show();
  XSync(tx::dpy, False);
  tx::handleXEvents();
  wvw::WCanvas* canvas = static_cast<tx::TXDialog*>(box.getDialog()->getWinPtr())->getCanvas();
  fb::ManagedPixelBuffer pb(fb::PixelFormat::rgb888(), canvas->getSize(), nullptr);
  canvas->render(&pb);
  EXPECT_TRUE(gwtest::matchesGolden(pb, GW_GOLDEN_DIR "/messagebox.png"));
}

}  // namespace
