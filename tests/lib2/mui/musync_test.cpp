#include "lib2/mui/MuSync.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "lib1/plat/IntParameter.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/mui/MuConfigSync.h"
#include "lib2/mui/MuSyncCheck.h"
#include "lib2/mui/MuSyncChoice.h"
#include "lib2/mui/MuSyncEdit.h"
#include "tests/support/FakeMui.h"

namespace {

using gwtest::FakeCheck;
using gwtest::FakeChoice;
using gwtest::FakeEdit;
using plat::ConfigParameter;

constexpr int Policy = ConfigParameter::PRIORITY_POLICY;
constexpr int Preference = ConfigParameter::PRIORITY_PREFERENCE;

// An entry that holds only its first eight bytes, as any entry has a limit.
struct SmallEdit : FakeEdit {
  using FakeEdit::FakeEdit;
  bool setText(const char* t) override {
    text = std::string(t ? t : "").substr(0, 8);
    return text == (t ? t : "");
  }
};

class MuSyncTest : public ::testing::Test {
 protected:
  std::string value(const char* name) {
    return plat::String::adopt(config.get(name)->getValueStr()).get();
  }
  bool usable(const mui::MuElement* e) { return gwtest::fake(e).usable; }

  plat::Configuration config{"Page"};
  plat::StringParameter text{"Text", "", "hello", false, &config};
  plat::StringParameter mode{"Mode", "", "fast", false, &config};
  plat::IntParameter level{"Level", "", 2, false, &config};
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{mui::muDialog("d", "T", {200, 100}, 0, nullptr, nullptr)};
  FakeEdit* edit =
      static_cast<FakeEdit*>(mui::muEdit(dialog.get(), "e", nullptr, mui::MuEdit::Text));
  FakeCheck* check = static_cast<FakeCheck*>(
      mui::muCheck(dialog.get(), "c", "C", mui::MuCheck::Normal, nullptr, nullptr));
  FakeChoice* choice = static_cast<FakeChoice*>(mui::muChoice(dialog.get(), "h", "H", 0));
  mui::MuConfigSync sync;
};

TEST_F(MuSyncTest, AnEditShowsTheValueAndWritesItsTextAtPreferencePriority) {
  sync.addSync(new mui::MuSyncEdit(edit, "text"));
  sync.updateUi(config);
  EXPECT_EQ(edit->text, "hello");
  edit->text = "bye";
  sync.updateConfig(config, edit);
  EXPECT_EQ(value("Text"), "bye");
  EXPECT_EQ(text.getPriority(), Preference);
}

TEST_F(MuSyncTest, AValueTooLongForTheEntryIsWrittenBackWholeUntilTheUserEditsIt) {
  auto* small = new SmallEdit(dialog.get(), "s", nullptr, mui::MuEdit::Text);
  small->setImpl(std::make_unique<gwtest::FakeCommon>());
  dialog->childAdded(small);
  const std::string longValue(300, 'x');
  text.setParam(longValue.c_str(), Preference);
  sync.addSync(new mui::MuSyncEdit(small, "Text"));
  sync.updateUi(config);
  EXPECT_EQ(small->text, "xxxxxxxx");
  sync.updateConfig(config);
  EXPECT_EQ(value("Text"), longValue);
  small->text = "short";
  sync.updateConfig(config);
  EXPECT_EQ(value("Text"), "short");
}

TEST_F(MuSyncTest, ACheckFollowsItsOnAndOffTexts) {
  struct Row {
    const char* name;
    const char* on;
    const char* off;
    const char* value;
    int shown;  // FakeCheck::state; 9: left as it was
    bool click;
    const char* written;
  } rows[] = {
      {"on text", "1", "0", "1", 1, false, "1"},
      {"off text", "1", "0", "0", 0, false, "0"},
      {"other kept while indeterminate", "1", "0", "2", 2, false, "2"},
      {"other replaced by a click", "1", "0", "2", 2, true, "1"},
      {"no off text leaves the box", "1", nullptr, "0", 9, false, "0"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    mui::MuConfigSync page;
    text.setParam(r.value, Preference);
    check->state = 9;
    page.addSync(new mui::MuSyncCheck(check, "Text", r.on, r.off));
    page.updateUi(config);
    EXPECT_EQ(check->state, r.shown);
    text.setParam("unchanged", Preference);
    if (r.click) check->setChecked(true);
    if (check->state != 9) page.updateConfig(config);
    EXPECT_EQ(value("Text"), check->state == 9 ? "unchanged" : r.written);
  }
}

TEST_F(MuSyncTest, AChoiceNamingNoItemWritesNothing) {
  choice->addItem(1, "one");
  choice->addItem(2, "two");
  sync.addSync(new mui::MuSyncChoice(choice, "Level"));
  sync.updateUi(config);
  EXPECT_EQ(choice->text, "two");
  choice->text = "typed";
  sync.updateConfig(config, choice);
  EXPECT_EQ(level.getValue(), 2);
  choice->setSelection(1);
  sync.updateConfig(config, choice);
  EXPECT_EQ(level.getValue(), 1);
}

TEST_F(MuSyncTest, AMappedChoiceSelectsTheLowestMatchAndWritesOnlyMappedIds) {
  for (int id : {1, 2, 3, 4}) choice->addItem(id, std::to_string(id).c_str());
  auto* mapped = new mui::MuSyncChoiceMapped(choice, "Mode", {{3, "fast"}, {4, "slow"}});
  mapped->addMapping(2, "fast");
  sync.addSync(mapped);
  sync.updateUi(config);
  EXPECT_EQ(choice->getSelection(), 2);
  mode.setParam("odd", Preference);
  sync.updateUi(config);
  EXPECT_EQ(choice->getSelection(), -1);
  sync.updateConfig(config);
  choice->setSelection(1);
  sync.updateConfig(config);
  EXPECT_EQ(value("Mode"), "odd");
  choice->setSelection(4);
  sync.updateConfig(config);
  EXPECT_EQ(value("Mode"), "slow");
}

// Any one binding on a policy value locks the element, and so the page.
TEST_F(MuSyncTest, PolicyLocksTheElementUntilItsValueGoes) {
  sync.addSync(new mui::MuSyncEdit(edit, "Text"));
  sync.addSync(new mui::MuSyncEdit(edit, "Mode"));
  mode.setParam("locked", Policy);
  sync.updateUi(config);
  EXPECT_TRUE(edit->isAnyLocked());
  EXPECT_TRUE(dialog->isAnyLocked());
  EXPECT_FALSE(usable(edit));
  mode.unsetParam(Policy, false);
  sync.updateUi(config);
  EXPECT_FALSE(dialog->isAnyLocked());
  EXPECT_TRUE(usable(edit));
}

TEST_F(MuSyncTest, EnablersJudgeTheirParameter) {
  struct Row {
    const char* name;
    mui::MuEnabler* enabler;
    const char* value;
    int priority;
    bool enabled;
  } rows[] = {
      {"policy value", new mui::MuEnablerPolicy("Level"), "1", Policy, false},
      {"preference value", new mui::MuEnablerPolicy("Level"), "1", Preference, true},
      {"default value", new mui::MuEnablerPolicy("Level"), nullptr, 0, true},
      {"zero", new mui::MuEnablerBool("Level", false), "0", Preference, false},
      {"zero inverted", new mui::MuEnablerBool("Level", true), "0", Preference, true},
      {"mapped", new mui::MuEnablerMapped("Level", {{"3", false}}, true), "3", Preference, false},
      {"not mapped", new mui::MuEnablerMapped("Level", {{"3", false}}, true), "4", Preference,
       true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    mui::MuConfigSync page;
    level.resetToDefault();
    if (r.value) level.setParam(r.value, r.priority);
    page.addEnabler(edit, r.enabler);
    page.updateUi(config);
    EXPECT_EQ(usable(edit), r.enabled);
  }
}

TEST_F(MuSyncTest, AWriteRefreshesOnlyTheElementsThatReadTheParameter) {
  sync.addSync(new mui::MuSyncChoice(choice, "Level"));
  sync.addEnabler(edit, new mui::MuEnablerBool("LEVEL", false));
  sync.addEnabler(check, new mui::MuEnablerBool("Mode", true));
  choice->addItem(0, "off");
  sync.updateUi(config);
  EXPECT_TRUE(usable(edit));
  gwtest::fake(check).usable = false;
  choice->setSelection(0);
  sync.updateConfig(config, choice);
  EXPECT_FALSE(usable(edit));
  EXPECT_FALSE(usable(check));  // not told again
}

TEST_F(MuSyncTest, AParameterTheConfigurationLacksStopsTheProgram) {
  sync.addSync(new mui::MuSyncEdit(edit, "Gone"));
  EXPECT_DEATH(sync.updateUi(config), "parameter Gone missing");
}

}  // namespace
