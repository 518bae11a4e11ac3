#include <gtest/gtest.h>
// Xlib after gtest: its macro None would rename a gtest type.
#include <X11/Xatom.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <time.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <tuple>

#include "lib1/plat/Time.h"
#include "lib2/tx/TXAtoms.h"
#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXIncrSender.h"
#include "lib2/tx/TXUtil.h"
#include "lib2/tx/TXWParent.h"
#include "lib2/tx/TXWindow.h"
#include "lib2/wvw/WText.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/DrivenClock.h"
#include "tests/support/TempDir.h"
#include "tests/support/XServer.h"

namespace {

// Time an owner in another process adds to this one's clock, in memory both share.
auto* const pushed = new (mmap(nullptr, sizeof(std::atomic<long long>), PROT_READ | PROT_WRITE,
                               MAP_SHARED | MAP_ANONYMOUS, -1, 0)) std::atomic<long long>(0);

long long realTime() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1000 * plat::kUnitsPerMs + ts.tv_nsec / 100;
}

// When set, the clock stands still but for the owner's pushes: a loaded
// machine then cannot spend a wait meant for an owner that does answer.
long long frozenAt = 0;

long long pushedClock(long long, bool*) { return (frozenAt ? frozenAt : realTime()) + *pushed; }

// A clipboard owner on a connection of its own, in a child process so that it
// answers while this one waits; gone with the object.
struct Owner {
  // Slow sends one byte a piece, 40 of them, pushing the clock 300 ms on each.
  enum Mode { Refusing, Silent, Empty, Slow };
  explicit Owner(Mode mode) : pid(fork()) {
    if (pid == 0) serve(mode);
  }
  ~Owner() {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }
  [[noreturn]] static void serve(Mode mode) {
    prctl(PR_SET_PDEATHSIG, SIGKILL);  // none is left behind by a test that crashed
    Display* d = XOpenDisplay(nullptr);
    Atom clipboard = XInternAtom(d, "CLIPBOARD", False), incr = XInternAtom(d, "INCR", False);
    XSetSelectionOwner(d, clipboard,
                       XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0),
                       CurrentTime);
    for (XEvent ev;;) {
      XNextEvent(d, &ev);
      if (ev.type != SelectionRequest || mode == Silent) continue;
      XSelectionRequestEvent r = ev.xselectionrequest;
      XEvent answer{.xselection = {SelectionNotify, 0, True, d, r.requestor, r.selection, r.target,
                                   mode == Refusing ? None : r.property, r.time}};
      long size = 40;
      XSelectInput(d, r.requestor, PropertyChangeMask);
      if (mode == Empty) XChangeProperty(d, r.requestor, r.property, r.target, 8, 0, nullptr, 0);
      if (mode == Slow)
        XChangeProperty(d, r.requestor, r.property, incr, 32, 0,
                        reinterpret_cast<unsigned char*>(&size), 1);
      XSendEvent(d, r.requestor, False, 0, &answer);
      XFlush(d);
      // Each piece once the requestor took the one before; the last one empty.
      for (int piece = 0; mode == Slow && piece <= size;) {
        XNextEvent(d, &ev);
        if (ev.type != PropertyNotify || ev.xproperty.state != PropertyDelete) continue;
        *pushed += 300 * plat::kUnitsPerMs;
        XChangeProperty(d, r.requestor, r.property, r.target, 8, 0,
                        reinterpret_cast<const unsigned char*>("x"), piece++ < size ? 1 : 0);
        XFlush(d);
      }
    }
  }
  pid_t pid;
};

class SelectionTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    tx::openDisplay(gwtest::XServer::shared().name().c_str());
    tx::xaUTF8_STRING();  // as on any desktop: xsel uses it only when it exists
  }
  // Runs a shell command while this process answers the X events it
  // causes; its output, or "<timeout>" after 20 s.
  static std::string runServing(const std::string& command) {
    FILE* out = popen((command + " 2>&1").c_str(), "r");
    fcntl(fileno(out), F_SETFL, O_NONBLOCK);
    std::string text;
    char buffer[65536];
    ssize_t n = -1;
    for (auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
         n != 0 && std::chrono::steady_clock::now() < end;) {
      XSync(tx::dpy, False);
      tx::handleXEvents();
      pollfd p{fileno(out), POLLIN, 0};
      poll(&p, 1, 5);
      if ((n = read(fileno(out), buffer, sizeof(buffer))) > 0) text.append(buffer, n);
    }
    pclose(out);
    return n == 0 ? text : "<timeout>";
  }
  // The peer stays behind, serving, until it loses the selection; it has
  // taken it once its owner is no window of ours.
  void runPeerOwner(const std::string& command, Atom selection) {
    ASSERT_EQ(system((command + " >/dev/null 2>&1").c_str()), 0);
    ASSERT_TRUE(waitForOwner(selection)) << command;
  }
  // False when no other client has taken the selection within 5 s.
  static bool waitForOwner(Atom selection) {
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    Window owner;
    while (((owner = XGetSelectionOwner(tx::dpy, selection)) == None || tx::windows.count(owner)) &&
           std::chrono::steady_clock::now() < end)
      tx::handleXEvents();
    return owner != None && !tx::windows.count(owner);
  }
  // n bytes, two-byte characters among them (n is 1 or even).
  static std::string textOf(size_t n) {
    std::string t = n == 1 ? "z" : "";
    while (t.size() < n) t += t.size() % 64 ? "a" : "\xc3\xa9";
    return t;
  }
  gwtest::TempDir dir;
  TXWindow window{10, 10, nullptr, 0, false};
};

struct Peer {
  const char* reader;  // prints the clipboard (xsel in the locale's encoding)
  const char* writer;  // takes the clipboard with the text of a file, appended
};

class SelectionPeers : public SelectionTest,
                       public testing::WithParamInterface<std::tuple<Peer, int>> {};

TEST_P(SelectionPeers, TextsGoBothWaysWhole) {
  auto [peer, size] = GetParam();
  std::string text = textOf(size);
  window.setClipboard(text.c_str());
  EXPECT_EQ(runServing(peer.reader), text);

  std::string file = dir.path() + "/in";
  std::ofstream(file) << text;
  runPeerOwner(std::string(peer.writer) + " " + file, tx::xaCLIPBOARD());
  const char* got = window.getClipboard();
  ASSERT_NE(got, nullptr);
  EXPECT_EQ(std::string(got), text);
  window.setClipboard("");  // the peer gives up the clipboard and ends
}

const Peer kXclip{"xclip -o -selection clipboard", "xclip -selection clipboard -i"},
    kXsel{"LC_ALL=C.UTF-8 xsel -o -b", "xsel -b -i <"};
INSTANTIATE_TEST_SUITE_P(Tools, SelectionPeers,
                         testing::Combine(testing::Values(kXclip, kXsel),
                                          testing::Values(1, 1 << 20)));

// Through the whole path from the X selection to the field: nothing to paste
// leaves the selection as it is, and so does a text in pieces that takes too
// long; an empty text is pasted.
TEST_F(SelectionTest, PasteOfNothingLeavesTheFieldAsItWas) {
  struct {
    const char* name;
    int owner;  // an Owner::Mode, or -1 for none
    const char* state;
    bool error;
  } rows[] = {{"no owner", -1, "abc 3/-2", false},
              {"refusing", Owner::Refusing, "abc 3/-2", false},
              {"silent", Owner::Silent, "abc 3/-2", false},
              {"slow in pieces", Owner::Slow, "abc 3/-2", true},
              {"empty text", Owner::Empty, "a 1/0", false}};
  for (const auto& row : rows) {
    wvw::WText text(64, "abc", false);
    tx::TXWParent host(&text, nullptr, false);
    text.start(&host, nullptr);
    text.select(1, -1);
    // Given up before the owner starts: sent later, it would take the
    // clipboard from that owner.
    XSetSelectionOwner(tx::dpy, tx::xaCLIPBOARD(), None, CurrentTime);
    XSync(tx::dpy, False);
    std::unique_ptr<Owner> owner;
    if (row.owner >= 0) {
      owner = std::make_unique<Owner>(Owner::Mode(row.owner));
      ASSERT_TRUE(waitForOwner(tx::xaCLIPBOARD())) << row.name;
    }
    gwtest::CaptureLogger logger;
    gwtest::RouteWriter route(plat::LogWriter::getLogWriter("TXWindow"), &logger,
                              plat::LogWriter::LEVEL_ERROR);
    *pushed = 0;
    // Only owners that never answer need the clock to run on its own.
    frozenAt = row.owner == Owner::Silent ? 0 : realTime();
    plat::getMonotonicTimeFn = pushedClock;
    text.editCommand(wvw::WText::Paste);
    plat::getMonotonicTimeFn = nullptr;
    EXPECT_EQ(text.getText() + (" " + std::to_string(text.getCursor())) + "/" +
                  std::to_string(text.getSelLength()),
              row.state)
        << row.name;
    EXPECT_EQ(logger.lines.size() == 1 &&
                  logger.lines[0].text.find("nothing pasted") != std::string::npos,
              row.error)
        << row.name;
  }
}

// After XSync the events of a peer's synchronised requests are queued here;
// any event lets the sender look at the clock.
TEST_F(SelectionTest, RequestorsThatGoOrStallAreGivenUp) {
  window.setClipboard(textOf(1 << 20).c_str());
  for (bool vanish : {true, false}) {
    gwtest::DrivenClock clock;
    Display* peer = XOpenDisplay(nullptr);
    Window w = XCreateSimpleWindow(peer, DefaultRootWindow(peer), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(peer, tx::xaCLIPBOARD(), tx::xaUTF8_STRING(), XA_PRIMARY, w, CurrentTime);
    XSync(peer, False);
    XSync(tx::dpy, False);
    tx::handleXEvents();
    ASSERT_EQ(tx::TXIncrSender::inst().transfers(), 1u);
    if (vanish) XDestroyWindow(peer, w);
    XSync(peer, False);
    clock.advance(vanish ? 0 : tx::TXIncrSender::kStallMs);
    XChangeProperty(tx::dpy, window.win(), XA_PRIMARY, XA_STRING, 8, PropModeReplace, nullptr, 0);
    XSync(tx::dpy, False);
    tx::handleXEvents();
    EXPECT_EQ(tx::TXIncrSender::inst().transfers(), 0u) << vanish;
    XCloseDisplay(peer);
  }
}

TEST_F(SelectionTest, OwnerAnswersTargetsAndLatin1) {
  window.setClipboard("\xce\xa9 \xc3\xa9");  // Omega is not Latin-1
  EXPECT_EQ(runServing("xclip -o -selection clipboard -t TARGETS"),
            "TIMESTAMP\nUTF8_STRING\nSTRING\n");
  EXPECT_EQ(runServing("xclip -o -selection clipboard -t STRING"), "? \xe9");
}

TEST_F(SelectionTest, PasteFromAnotherWindowOfThisProcessIsAnsweredLocally) {
  TXWindow other(10, 10, nullptr, 0, false);
  other.setClipboard("local");
  auto start = std::chrono::steady_clock::now();
  EXPECT_STREQ(window.getClipboard(), "local");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST_F(SelectionTest, ReceivedTextNeverChangesTheOfferedOne) {
  window.setClipboard("offered");
  std::string file = dir.path() + "/primary";
  std::ofstream(file) << "received";
  runPeerOwner("xclip -selection primary -i " + file, XA_PRIMARY);
  ASSERT_TRUE(window.getSelection(XA_PRIMARY, tx::xaUTF8_STRING(), 2000));
  EXPECT_STREQ(window.receivedText(), "received");
  EXPECT_EQ(runServing("xclip -o -selection clipboard"), "offered");
  window.ownSelection(XA_PRIMARY, CurrentTime);  // ends the peer
}

}  // namespace
