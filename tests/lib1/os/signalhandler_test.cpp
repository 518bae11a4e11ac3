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

// Notes its letter and the signal, then runs its hook.
struct Noter : SignalHandler::Callback {
  explicit Noter(char idChar, std::function<void()> f = {}) : id(idChar), hook(std::move(f)) {}
  void handleSignal(int sig) override {
    calls += id;
    calls += std::to_string(sig);
    if (hook) hook();
  }
  char id;
  std::function<void()> hook;
};

void reg(int sig, SignalHandler::Callback* cb, bool add = true) {
  SignalHandler::getInstance()->setCallback_(sig, cb, add);
}

bool handlerInstalled(int sig) {
  struct sigaction sa;
  sigaction(sig, nullptr, &sa);
  return sa.sa_handler == SignalHandler::handler;
}

struct SignalHandlerTest : testing::Test {
  void SetUp() override { calls.clear(); }
  // Runs the loop until the socket is drained; a hang here fails by timeout.
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
  reg(SIGUSR1, &c, false);
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
  reg(SIGUSR1, &a, false);
  reg(SIGUSR2, &b, false);
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
  reg(SIGUSR1, &thrower, false);
}

TEST_F(SignalHandlerTest, LastRemovalRestoresTheDefaultAction) {
  Noter a('a'), b('b');
  reg(SIGUSR2, &a);
  reg(SIGUSR2, &b);
  reg(SIGUSR2, &a, false);
  EXPECT_TRUE(handlerInstalled(SIGUSR2));
  reg(SIGUSR2, &b, false);
  struct sigaction sa;
  sigaction(SIGUSR2, nullptr, &sa);
  EXPECT_EQ(sa.sa_handler, SIG_DFL);
}

TEST_F(SignalHandlerTest, BlockingHandledSignalsIsUndoneOnceAndResetsActionsInAChild) {
  Noter a('a');
  reg(SIGCHLD, &a);
  reg(SIGTERM, &a);
  sigset_t now;
  {
    os::SigProcMaskRestorer r;
    SignalHandler::getInstance()->blockHandledSignals_(&r);
    sigprocmask(SIG_BLOCK, nullptr, &now);
    EXPECT_TRUE(sigismember(&now, SIGCHLD) && sigismember(&now, SIGTERM));
    r.restoreMask();
    sigset_t later = r.oldMask;
    sigaddset(&later, SIGTERM);
    sigprocmask(SIG_SETMASK, &later, nullptr);
    r.restoreMask();  // a second restore leaves the mask alone
    sigprocmask(SIG_BLOCK, nullptr, &now);
    EXPECT_TRUE(sigismember(&now, SIGTERM));
    sigprocmask(SIG_UNBLOCK, &later, nullptr);
    r.unregisterSignals();
  }
  EXPECT_FALSE(handlerInstalled(SIGCHLD) || handlerInstalled(SIGTERM));
  reg(SIGCHLD, &a, false);
  reg(SIGTERM, &a, false);
}

TEST(SignalHandlerDeathTest, RegisteringWithoutALoopIsFatal) {
  Noter a('a');
  EXPECT_DEATH(reg(SIGUSR1, &a), "SignalHandler requires an FdManager");
}

TEST(StrSignal, NamesTheConstantsAndNothingElse) {
  EXPECT_STREQ(os::strSignal(SIGCHLD), "SIGCHLD");
  EXPECT_STREQ(os::strSignal(SIGPWR), "SIGPWR");
  EXPECT_EQ(os::strSignal(0), nullptr);
  EXPECT_EQ(os::strSignal(64), nullptr);
}
