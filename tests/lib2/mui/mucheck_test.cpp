#include "lib2/mui/MuCheck.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "tests/support/FakeMui.h"

namespace {

using gwtest::FakeCheck;
using mui::MuCheck;

struct OnChange : mui::MuObserver {
  void elementChanged(mui::MuElement*) override { run(); }
  std::function<void()> run;
};

class MuCheckTest : public ::testing::Test {
 protected:
  FakeCheck* add(const char* id, MuCheck::Type type, MuCheck* groupWith = nullptr) {
    return static_cast<FakeCheck*>(mui::muCheck(dialog.get(), id, id, type, groupWith, nullptr));
  }
  // The states of a, b and c: "010".
  std::string states() {
    return std::to_string(a->state) + std::to_string(b->state) + std::to_string(c->state);
  }

  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{mui::muDialog("d", "T", {200, 100}, 0, nullptr, nullptr)};
  FakeCheck* a = add("a", MuCheck::Radio);
  FakeCheck* b = add("b", MuCheck::Radio, a);
  FakeCheck* c = add("c", MuCheck::Radio, a);
};

// The group hears the click first, so the application sees it done.
TEST_F(MuCheckTest, AClickChecksOnlyTheClickedRadioEvenWhenItClearedIt) {
  std::string seen;
  OnChange o;
  o.run = [&] { seen += states() + " "; };
  dialog->registerObserver(&o, true);
  a->setChecked(true);
  b->click();
  b->click();
  EXPECT_EQ(seen, "010 010 ");
}

TEST_F(MuCheckTest, TheProgramSettingARadioLeavesTheOthersAlone) {
  a->setChecked(true);
  b->setChecked(true);
  EXPECT_EQ(states(), "110");
}

TEST_F(MuCheckTest, AGroupOutlivesEachMemberButTheLast) {
  dialog->removeChild(b);
  EXPECT_EQ(a->getGroup()->members(), (std::vector<MuCheck*>{a, c}));
  a->setChecked(true);
  c->click();
  EXPECT_EQ(a->state, 0);
  dialog->removeChild(c);
  dialog->removeChild(a);  // the group goes here: a leak shows under the sanitizers
}

TEST_F(MuCheckTest, OnlyARadioBelongsToAGroup) {
  const struct {
    const char* name;
    MuCheck::Type type;
    MuCheck* groupWith;
    bool grouped;  // in a group of its own
  } rows[] = {
      {"normal naming a radio", MuCheck::Normal, a, false},
      {"radio naming nobody", MuCheck::Radio, nullptr, true},
      {"radio naming a normal box", MuCheck::Radio, add("n", MuCheck::Normal), true},
  };
  for (const auto& r : rows) {
    FakeCheck* x = add("x", r.type, r.groupWith);
    EXPECT_EQ(x->getGroup() != nullptr, r.grouped) << r.name;
    EXPECT_NE(x->getGroup(), a->getGroup()) << r.name;
    dialog->removeChild(x);
  }
}

TEST(MuCheckFactory, AMissingFactoryIsNamed) {
  EXPECT_DEATH(mui::muCheck(nullptr, "c", nullptr, MuCheck::Normal, nullptr, nullptr),
               "'muCheckFactory'");
  EXPECT_DEATH(mui::muChoice(nullptr, "c", nullptr, 0), "'muChoiceFactory'");
}

}  // namespace
