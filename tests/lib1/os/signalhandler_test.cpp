#include "lib1/os/SignalHandler.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>

#include "lib1/io/FdSelectManager.h"
#include "lib1/plat/Exception.h"

using os::SignalHandler;

namespace {

std::string calls;  // the letters of the callbacks run, in order

void reg(int sig, SignalHandler::Callback* cb, bool add = true) {
  SignalHandler::getInstance()->setCallback_(sig, cb, add);
}

struct Noter : SignalHandler::Callback {
  explicit Noter(char idChar, std::function<void()> f = {}) : id(idChar), hook(std::move(f)) {}
  ~Noter() override {
    for (int sig : {SIGUSR1, SIGUSR2, SIGCHLD, SIGTERM}) reg(sig, this, false);
  }
  void handleSignal(int) override {
    calls += id;
    if (hook) hook();
  }
  char id;
  std::function<void()> hook;
};

void (*actionOf(int sig))(int) {
  struct sigaction sa;
  sigaction(sig, nullptr, &sa);
  return sa.sa_handler;
}

// One turn drains the socket; a hang there fails by timeout.
struct SignalHandlerTest : testing::Test {
  SignalHandlerTest() { calls.clear(); }
  io::FdSelectManager mgr{false};
};

}  // namespace

TEST_F(SignalHandlerTest, CallbacksOfOneSignalRunNewestFirstAndRemovalsTakeEffectAtOnce) {
  Noter a('a'), c('c');
  Noter b('b', [&] {
    reg(SIGUSR1, &b, false);  // removes itself
    reg(SIGUSR1, &a, false);  // and a, whose turn has not come
  });
  for (Noter* n : {&a, &b, &c}) reg(SIGUSR1, n);
  raise(SIGUSR1);
  mgr.doEvents(0);
  EXPECT_EQ(calls, "cb");
}

TEST_F(SignalHandlerTest, SignalsQueuedInBulkAreAllDispatchedInOrderWithoutHanging) {
  Noter a('a'), b('b');
  reg(SIGUSR1, &a);
  reg(SIGUSR2, &b);
  // Each byte costs the socket a buffer of its own: some 270 fit at once.
  std::string all;
  for (int i = 0; i < 120; i++) {
    raise(SIGUSR1);
    raise(SIGUSR2);
    all += "ab";
  }
  mgr.doEvents(0);
  EXPECT_EQ(calls, all);
}

TEST_F(SignalHandlerTest, ThrowingCallbackLosesNoLaterSignal) {
  Noter thrower('t', [] {
    if (calls == "t") throw plat::Exception("callback failed");
  });
  reg(SIGUSR1, &thrower);
  for (int i = 0; i < 3; i++) raise(SIGUSR1);
  EXPECT_THROW(mgr.doEvents(0), plat::Exception);
  mgr.doEvents(0);
  EXPECT_EQ(calls, "ttt");
}

TEST_F(SignalHandlerTest, LastRemovalRestoresTheDefaultAction) {
  Noter a('a'), b('b');
  reg(SIGUSR2, &a);
  reg(SIGUSR2, &b);
  reg(SIGUSR2, &a, false);
  EXPECT_EQ(actionOf(SIGUSR2), SignalHandler::handler);
  reg(SIGUSR2, &b, false);
  EXPECT_EQ(actionOf(SIGUSR2), SIG_DFL);
}

// As around a fork: blocked, reset to their defaults in the child, unblocked.
TEST_F(SignalHandlerTest, HandledSignalsAreBlockedThenResetAndUnblocked) {
  Noter a('a');
  reg(SIGCHLD, &a);
  reg(SIGTERM, &a);
  os::SigProcMaskRestorer r;
  SignalHandler::getInstance()->blockHandledSignals_(&r);
  sigset_t now;
  sigprocmask(SIG_BLOCK, nullptr, &now);
  EXPECT_TRUE(sigismember(&now, SIGCHLD) && sigismember(&now, SIGTERM));
  r.unregisterSignals();
  EXPECT_TRUE(actionOf(SIGCHLD) == SIG_DFL && actionOf(SIGTERM) == SIG_DFL);
  r.restoreMask();
  sigprocmask(SIG_BLOCK, nullptr, &now);
  EXPECT_FALSE(sigismember(&now, SIGCHLD) || sigismember(&now, SIGTERM));
}

TEST(SignalHandlerDeathTest, RegisteringWithoutALoopIsFatal) {
  Noter a('a');
  EXPECT_DEATH(reg(SIGUSR1, &a), "SignalHandler requires an FdManager");
}
