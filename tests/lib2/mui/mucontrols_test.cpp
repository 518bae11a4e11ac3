#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "lib2/fb/ManagedPixelBuffer.h"
#include "tests/support/FakeMui.h"

namespace {

using mui::MuButton;
using mui::MuStatic;

class MuControlsTest : public ::testing::Test {
 protected:
  gwtest::FakeMui backEnd;
  std::unique_ptr<mui::MuDialog> dialog{mui::muDialog("d", nullptr, {}, 0, nullptr, nullptr)};

  static std::string state(mui::MuElement* e) { return e->getState().get(); }
};

TEST_F(MuControlsTest, EachKindNamesItselfAndItsTypeInTheStateDump) {
  auto* bold = mui::muStatic(dialog.get(), "b", "Bold", MuStatic::Detail);
  bold->setText("Bold", true, false);
  const struct {
    const char* name;
    mui::MuElement* element;
    const char* type;
    const char* tail;
  } rows[] = {
      {"text button", mui::muButton(dialog.get(), "t", "&Go", MuButton::Text, 0, {}), "button",
       "label &Go\nelement Button\ntype Text\n"},
      {"hyperlink", mui::muButton(dialog.get(), "h", "About", MuButton::Hyperlink, 0, {}), "button",
       "element Button\ntype Hyperlink\n"},
      {"heading", mui::muStatic(dialog.get(), "s", "Users", MuStatic::Heading), "static",
       "label Users\nelement Static\ntype Heading\nbold 0\n"},
      {"bold detail", bold, "static", "element Static\ntype Detail\nbold 1\n"},
      {"rule", mui::muStatic(dialog.get(), "r", nullptr, MuStatic::HorizontalLine), "static",
       "element Static\ntype HorizontalLine\nbold 0\n"},
      {"image", mui::muImage(dialog.get(), "i", "a\\b", {16, 16}), "image",
       "element Image\nvalue a\\\\b\nimSize 0,0\n"},
  };
  for (const auto& r : rows) {
    EXPECT_STREQ(r.element->getType(), r.type) << r.name;
    std::string s = state(r.element);
    EXPECT_EQ(s.substr(s.size() - std::min(s.size(), strlen(r.tail))), r.tail) << r.name;
  }
}

TEST_F(MuControlsTest, AButtonAlwaysHasTheNormalStateFlag) {
  MuButton* b = mui::muButton(dialog.get(), "b", "pic", MuButton::Image, MuButton::StateHover, {});
  EXPECT_EQ(b->getButtonFlags(), MuButton::StateHover | MuButton::StateNormal);
}

TEST_F(MuControlsTest, AnImageGivesUpOnlyABufferItIsNotShowing) {
  auto* image = static_cast<gwtest::FakeImage*>(mui::muImage(dialog.get(), "i", "pic", {}));
  auto* pb = new fb::ManagedPixelBuffer(fb::PixelFormat::rgb888(), plat::Point(4, 3), nullptr);
  image->set(pb, true);
  EXPECT_EQ(image->getOwnedBuffer(), pb);
  EXPECT_EQ(image->getName(), nullptr);
  // Handed back without ownership, it is still the one shown, so it stays.
  image->set(pb, false);
  EXPECT_EQ(image->getOwnedBuffer(), pb);
  EXPECT_EQ(image->getImSize(), plat::Point(4, 3));
  image->set("pic", {});
  EXPECT_EQ(image->getOwnedBuffer(), nullptr);
  EXPECT_STREQ(image->getName(), "pic");
}

}  // namespace
