#include "lib2/mui/MuSyncCheckMulti.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib1/plat/StringParameter.h"
#include "lib2/mui/MuConfigSync.h"
#include "lib2/mui/MuSyncEdit.h"
#include "tests/support/FakeMui.h"

namespace {

using gwtest::FakeCheck;
using mui::MuSyncCheckMulti;
using Multi = plat::SharedPtr<MuSyncCheckMulti>;

constexpr int Preference = plat::ConfigParameter::PRIORITY_PREFERENCE;
constexpr int Unchecked = 0, Checked = 1, Indeterminate = 2;

class MuSyncCheckMultiTest : public ::testing::Test {
 protected:
  // A Sync on name, on while its value is "on", mapped only to "on" and "off".
  void add(const char* name, bool setOnCheck, bool setOnUncheck, bool offForces = false,
           bool onForces = false) {
    auto* judge = new mui::MuEnablerMapped(name, {{"on", true}, {"off", false}}, false);
    multi->addEnabler(multi, judge, "on", "off", setOnCheck, setOnUncheck, offForces, onForces);
  }
  std::string value(const char* name) {
    return plat::String::adopt(config.get(name)->getValueStr()).get();
  }

  plat::Configuration config{"Page"};
  plat::StringParameter a{"A", "", "on", false, &config};
  plat::StringParameter b{"B", "", "off", false, &config};
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{mui::muDialog("d", "T", {200, 100}, 0, nullptr, nullptr)};
  FakeCheck* check = static_cast<FakeCheck*>(
      mui::muCheck(dialog.get(), "c", "C", mui::MuCheck::Normal, nullptr, nullptr));
  mui::MuEdit* edit = mui::muEdit(dialog.get(), "e", nullptr, mui::MuEdit::Text);
  mui::MuConfigSync sync;
  Multi multi{new MuSyncCheckMulti(check)};
};

TEST_F(MuSyncCheckMultiTest, TheBoxShowsWhatTheSavedStatesAddUpTo) {
  struct Row {
    const char* name;
    const char* a;  // A's value; B is "off"
    bool aOnUncheck, aForcesOn, bOnCheck, bForcesOff;
    int shown;
  } rows[] = {
      {"nothing to do either way", "on", false, false, false, false, Indeterminate},
      {"only clearing changes", "on", true, false, false, false, Checked},
      {"only checking changes", "on", false, false, true, false, Unchecked},
      {"both would change", "on", true, false, true, false, Indeterminate},
      {"on forces the check", "on", true, true, true, false, Checked},
      {"off forces the clear", "on", true, false, true, true, Unchecked},
      {"a value no table knows", "odd", true, false, false, false, Indeterminate},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    mui::MuConfigSync page;
    multi = Multi(new MuSyncCheckMulti(check));
    a.setParam(r.a, Preference);
    add("A", false, r.aOnUncheck, false, r.aForcesOn);
    add("B", r.bOnCheck, false, r.bForcesOff, false);
    multi->registerSyncs(&page);
    page.updateUi(config);
    EXPECT_EQ(check->state, r.shown);
  }
}

TEST_F(MuSyncCheckMultiTest, WithoutSyncsTheBoxIsIndeterminate) {
  multi->updateUi();
  EXPECT_EQ(check->state, Indeterminate);
}

TEST_F(MuSyncCheckMultiTest, CheckingOverAnUnknownValueWritesTheOnText) {
  a.setParam("odd", Preference);
  add("A", false, false);
  multi->registerSyncs(&sync);
  sync.updateUi(config);
  check->click();
  sync.updateConfig(config, check);
  EXPECT_EQ(value("A"), "on");
  EXPECT_EQ(a.getPriority(), Preference);
}

// Filing twice would hand each Sync to the page twice, to be deleted twice.
TEST_F(MuSyncCheckMultiTest, FilingAgainFilesOnlyTheSyncsAddedSince) {
  add("A", false, true);
  multi->registerSyncs(&sync);
  multi->registerSyncs(&sync);
  add("B", true, false);
  multi->registerSyncs(&sync);
  sync.updateUi(config);
  EXPECT_EQ(check->state, Indeterminate);
  sync.reset();
  EXPECT_EQ(multi.useCount(), 1);
}

TEST_F(MuSyncCheckMultiTest, AnotherControlsWriteReJudgesTheBoxButItsOwnDoNot) {
  add("A", false, true);
  multi->registerSyncs(&sync);
  multi->registerExternalParam(&sync, "a", nullptr);
  sync.addSync(new mui::MuSyncEdit(edit, "A"));
  sync.updateUi(config);
  EXPECT_EQ(check->state, Checked);
  edit->setText("off");
  sync.updateConfig(config, edit);
  EXPECT_EQ(check->state, Indeterminate);
  a.setParam("on", Preference);
  check->state = Unchecked;
  sync.updateConfig(config, check);
  EXPECT_EQ(value("A"), "off");
  EXPECT_EQ(check->state, Unchecked);
}

}  // namespace
