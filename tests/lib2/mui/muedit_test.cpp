#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "tests/support/FakeMui.h"

namespace {

using mui::MuEdit;

TEST(NumericFilter, AdmitsOnlyTheWayToAnIntInRange) {
  MuEdit::NumericFilter every(INT_MIN, INT_MAX), percent(0, 100);
  const struct {
    const char* name;
    MuEdit::NumericFilter* filter;
    const char* text;
    bool admitted;
  } rows[] = {
      {"empty", &every, "", true},
      {"a minus alone, on the way to a negative", &every, "-", true},
      {"a minus alone where nothing is negative", &percent, "-", false},
      {"negative", &every, "-5", true},
      {"minus zero", &every, "-0", false},
      {"zero", &every, "0", true},
      {"leading zero", &every, "007", false},
      {"plus and leading zero", &every, "+05", false},
      {"minus and leading zero", &every, "-01", false},
      {"plus", &every, "+5", true},
      {"the largest int", &every, "2147483647", true},
      {"past the largest int", &every, "2147483648", false},
      {"the smallest int", &every, "-2147483648", true},
      {"leading space", &every, " 5", false},
      {"trailing space", &every, "5 ", false},
      {"a letter", &every, "12a", false},
      {"above the range", &percent, "101", false},
      {"below the range", &percent, "-1", false},
  };
  for (const auto& r : rows)
    EXPECT_EQ(r.filter->filterText(nullptr, r.text, -1), r.admitted) << r.name;
}

class MuEditTest : public ::testing::Test {
 protected:
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{mui::muDialog("d", nullptr, {}, 0, nullptr, nullptr)};
};

TEST_F(MuEditTest, APasswordNeverShowsInTheStateDump) {
  MuEdit* open = mui::muEdit(dialog.get(), "user", "User:", MuEdit::Text);
  MuEdit* secret = mui::muEdit(dialog.get(), "pw", "Password:", MuEdit::Password);
  open->setText("a\\b");
  secret->setText("hunter2");
  EXPECT_NE(std::string(open->getState().get()).find("element Edit\ntype Text\nvalue a\\\\b\n"),
            std::string::npos);
  std::string dump = secret->getState().get();
  EXPECT_NE(dump.find("element Edit\ntype Password\nvalue <hidden>\n"), std::string::npos);
  EXPECT_EQ(dump.find("hunter2"), std::string::npos);
}

}  // namespace
