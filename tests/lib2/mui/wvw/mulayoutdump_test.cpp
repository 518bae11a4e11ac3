#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <memory>
#include <string>
#include <vector>

#include "lib1/os/AppInfo.h"
#include "lib1/plat/TimerManager.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWindow.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/WvwBackEnd.h"
#include "tests/support/XServer.h"

namespace {

using mui::MuDialog;

class MuLayoutDumpTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    os::setAppInfo("grantwell", "Zem", "zem", loc::msgid_t(), nullptr);
  }
  // A dialog with one element of each kind that shows something of its own.
  std::unique_ptr<MuDialog> build() {
    std::unique_ptr<MuDialog> d(mui::muDialog("d", "D", {300, 400}, 0, nullptr, nullptr));
    mui::MuLayout* main = mui::muLayout(d.get(), "main", mui::MuLayout::Vertical);
    mui::MuList* list = mui::muList(main, "list", 0, nullptr);
    list->addColumn(1, mui::MuList::Text, nullptr, -1);
    list->addColumn(2, mui::MuList::Text, nullptr, -1);
    list->addRowData(0, {"a\"b", "c"});
    list->addRowData(1, {"d", ""});
    list->setSelectedRow(1);
    main->resizeChild(list, mui::MuLayout::Weighted, 1);
    mui::MuLayout* off = mui::muLayout(main, "off", mui::MuLayout::Horizontal);
    mui::muCheck(off, "tick", "Tick", mui::MuCheck::Normal, nullptr, nullptr)->setChecked(true);
    off->enable(false);
    mui::MuChoice* choice = mui::muChoice(main, "level", nullptr, 0);
    choice->addItem(1, "One");
    choice->setSelection(1);
    mui::muStatic(main, "note", "two\nlines\\", mui::MuStatic::Text);
    mui::muEdit(main, "long", nullptr, mui::MuEdit::Text)->setText(std::string(600, 'x').c_str());
    mui::muEdit(main, "secret", nullptr, mui::MuEdit::Password)->setText("hush");
    return d;
  }
  // Handles events until count dumps more than now were written, waiting 5 s
  // at most for each event.
  bool moreDumps(size_t count) {
    size_t until = dumps() + count;
    pollfd p{ConnectionNumber(tx::dpy), POLLIN, 0};
    for (XSync(tx::dpy, False); dumps() < until; XSync(tx::dpy, False)) {
      if (!XPending(tx::dpy) && poll(&p, 1, 5000) <= 0) return false;
      tx::handleXEvents();
    }
    return true;
  }
  // Handles every event the server has sent so far.
  static void settle() {
    XSync(tx::dpy, False);
    tx::handleXEvents();
  }
  size_t dumps() const {
    size_t n = 0;
    for (const auto& l : log.lines) n += l.text == "d end";
    return n;
  }
  // The line of the element, without its rectangle: "" when there is none.
  std::string line(const std::string& id) const {
    for (const auto& l : log.lines) {
      if (l.text.rfind("d " + id + " ", 0) != 0) continue;
      std::string s = l.text;
      size_t rect = s.find(" rect=");
      return s.erase(rect, s.find(' ', rect + 1) - rect);
    }
    return "";
  }
  // Sends a key release, or a message nobody listens to, to the dialog's
  // window, as from another program.
  static void send(MuDialog* d, bool key) {
    Display* other = XOpenDisplay(nullptr);
    XEvent ev{};
    if (key) {
      ev.xkey = {KeyRelease, 0, False, nullptr, d->getWinPtr()->win()};
      ev.xkey.keycode = 38;
    } else {
      ev.xclient = {ClientMessage, 0, False, nullptr, d->getWinPtr()->win(), XA_STRING, 8};
    }
    XSendEvent(other, ev.xany.window, False, 0, &ev);
    XCloseDisplay(other);
  }

  plat::TimerManager timers{true};
  gwtest::WvwBackEnd backEnd;
  gwtest::CaptureLogger log;
};

// Positions in the window, the ancestors' state, the list's rows, texts
// quoted and cut; a password only by its length.
TEST_F(MuLayoutDumpTest, ADumpNamesEveryElementWithWhereItIsAndWhatItShows) {
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("MuLayoutDump"), &log, 100);
  auto d = build();
  d->show(true);
  ASSERT_TRUE(moreDumps(1));
  EXPECT_EQ(log.lines.front().text.rfind("d begin window=0x", 0), 0u);
  EXPECT_EQ(line("main.list"),
            "d main.list list shown=1 enabled=1 locked=0 focused=1 rows=2 selected=1");
  EXPECT_EQ(line("main.list row index=0"), "d main.list row index=0 text=\"a\\\"b|c\"");
  EXPECT_EQ(line("main.off.tick"),
            "d main.off.tick check shown=1 enabled=0 locked=0 focused=0 checked=1 label=\"Tick\"");
  EXPECT_EQ(line("main.level"),
            "d main.level choice shown=1 enabled=1 locked=0 focused=0 text=\"One\"");
  EXPECT_EQ(line("main.note"),
            "d main.note static shown=1 enabled=1 locked=0 focused=0 label=\"two\\nlines\\\\\"");
  EXPECT_EQ(line("main.long"),
            "d main.long edit shown=1 enabled=1 locked=0 focused=0 length=600 "
            "text=\"" +
                std::string(512, 'x') + "\"");
  EXPECT_EQ(line("main.secret"),
            "d main.secret edit shown=1 enabled=1 locked=0 focused=0 length=4");
  EXPECT_EQ(log.lines.back().text, "d end");

  // The rectangles are the widgets' in the window: the list's first row
  // inside the list, the tick below it.
  int lx, ly, lw, lh, rx, ry, rw, rh, tx, ty, tw, th;
  for (const auto& l : log.lines) {
    sscanf(l.text.c_str(), "d main.list list rect=%d,%d,%d,%d", &lx, &ly, &lw, &lh);
    sscanf(l.text.c_str(), "d main.list row index=0 rect=%d,%d,%d,%d", &rx, &ry, &rw, &rh);
    sscanf(l.text.c_str(), "d main.off.tick check rect=%d,%d,%d,%d", &tx, &ty, &tw, &th);
  }
  EXPECT_TRUE(rx > lx && ry > ly && rx + rw < lx + lw && ry + rh < ly + lh)
      << lx << "," << ly << "," << lw << "," << lh << " " << rx << "," << ry << "," << rw << ","
      << rh;
  EXPECT_GE(ty, ly + lh);
}

// None while the writer is quiet or the dialog hidden; then one once the
// window is mapped, one after each release of a key, and one after another
// event only when the dialog was laid out meanwhile.
TEST_F(MuLayoutDumpTest, DumpsFollowTheDialogWhileItShows) {
  auto quiet = build();
  quiet->show(true);
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("MuLayoutDump"), &log, 100);
  send(quiet.get(), true);
  settle();
  EXPECT_EQ(dumps(), 0u) << "made before the writer spoke";

  auto d = build();
  d->update();
  EXPECT_EQ(dumps(), 0u) << "hidden";
  d->show(true);
  ASSERT_TRUE(moreDumps(1)) << "mapped";
  settle();
  send(d.get(), true);
  ASSERT_TRUE(moreDumps(1)) << "a key released";
  settle();
  size_t before = dumps();
  d->update();
  EXPECT_EQ(dumps(), before) << "written after the event, not during it";
  send(d.get(), false);
  ASSERT_TRUE(moreDumps(1)) << "laid out";
  settle();
  before = dumps();
  send(d.get(), false);
  settle();
  EXPECT_EQ(dumps(), before) << "a message alone";
}

}  // namespace
