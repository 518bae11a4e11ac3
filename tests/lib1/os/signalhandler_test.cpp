#include "lib1/os/SignalHandler.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <string>

#include "lib1/io/FdSelectManager.h"
#include "lib1/plat/Exception.h"

using os::SignalHandler;

namespace {

std::string calls;

void reg(int sig, SignalHandler::Callback* cb, bool add = true) {
  SignalHandler::getInstance()->setCallback_(sig, cb, add);
}

// Notes its letter and the signal, then runs its hook.
struct Noter : SignalHandler::Callback {
  explicit Noter(char idChar, std::function<void()> f = {}) : id(idChar), hook(std::move(f)) {}
  ~Noter() override {
    for (int sig : {SIGUSR1, SIGUSR2, SIGCHLD, SIGTERM}) reg(sig, this, false);
  }
  void handleSignal(int sig) override {
    calls += id + std::to_string(sig);
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

struct SignalHandlerTest : testing::Test {
  void SetUp() override { calls.clear(); }
  // One turn drains the socket; a hang here fails by timeout.
  void drain() { mgr.doEvents(0); }
  io::FdSelectManager mgr{false};
};

}  // namespace

TEST_F(SignalHandlerTest, CallbacksOfOneSignalRunNewestFirstAndRemovalsTakeEffectAtOnce) {
  Noter a('a'), c('c');
  Noter b('b', [&] {
    reg(SIGUSR1, &b, false);  // removes itself
    reg(SIGUSR1, &a, false);  // and a, whose turn has not come
  });
  reg(SIGUSR1, &a);
  reg(SIGUSR1, &b);
  reg(SIGUSR1, &c);
  raise(SIGUSR1);
  drain();
  EXPECT_EQ(calls, "c" + std::to_string(SIGUSR1) + "b" + std::to_string(SIGUSR1));
}

TEST_F(SignalHandlerTest, SignalsQueuedInBulkAreAllDispatchedInOrderWithoutHanging) {
  Noter a('a'), b('b');
  reg(SIGUSR1, &a);
  reg(SIGUSR2, &b);
  // Each byte costs the socket a buffer of its own: some 270 fit at once.
  for (int i = 0; i < 120; i++) {
    raise(SIGUSR1);
    raise(SIGUSR2);
  }
  drain();
  std::string one = "a" + std::to_string(SIGUSR1) + "b" + std::to_string(SIGUSR2), all;
  for (int i = 0; i < 120; i++) all += one;
  EXPECT_EQ(calls, all);
}

TEST_F(SignalHandlerTest, ThrowingCallbackLosesNoLaterSignal) {
  int thrown = 0;
  Noter thrower('t', [&] {
    if (!thrown++) throw plat::Exception("callback failed");
  });
  reg(SIGUSR1, &thrower);
  raise(SIGUSR1);
  raise(SIGUSR1);
  raise(SIGUSR1);
  EXPECT_THROW(drain(), plat::Exception);
  drain();
  EXPECT_EQ(thrown, 3);
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
