#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "lib2/mui/MuInfoFrame.h"
#include "tests/lib2/mui/wvw/ControlsHost.h"
#include "tests/support/Golden.h"

namespace {

using mui::MuInfoFrame;

class MuInfoFrameWvwTest : public gwtest::ControlsHost {
 protected:
  MuInfoFrameWvwTest() : ControlsHost(plat::Point(260, 90)) {}
  // The ids of the text column's children, e.g. "text spacer link".
  std::string textColumn() {
    auto* column = static_cast<mui::MuLayout*>(root.lookupElement("info.split.textLayout"));
    std::string s;
    for (int i = 0; i < column->numChildren(); i++)
      s += std::string(i ? " " : "") + column->lookup(i)->getId();
    return s;
  }

  std::optional<MuInfoFrame> info{std::in_place, &root, "info"};
};

// Every style has the same background; the icon tells them apart. Values
// outside the known styles show as Notify.
TEST_F(MuInfoFrameWvwTest, EachStyleMatchesItsGoldenImage) {
  const struct {
    int style;
    const char* golden;
  } rows[] = {
      {MuInfoFrame::Success, "success"},
      {MuInfoFrame::Warning, "warning"},
      {MuInfoFrame::Error, "error"},
      {MuInfoFrame::Locked, "locked"},
      {MuInfoFrame::Default, "default"},
      {MuInfoFrame::Preference, "preference"},
      {MuInfoFrame::Notify, "notify"},
      {0, "notify"},
      {9, "notify"},
  };
  show();
  for (const auto& r : rows) {
    info->update(MuInfoFrame::Style(r.style), "Some settings are set for you.",
                 r.style == MuInfoFrame::Locked ? "Details" : nullptr);
    EXPECT_TRUE(gwtest::matchesGolden(host.render(),
                                      std::string(GW_GOLDEN_DIR "/infoframe_") + r.golden + ".png"))
        << r.style;
  }
}

TEST_F(MuInfoFrameWvwTest, ALinkFollowsTheTextUntilAnUpdateWithoutOne) {
  EXPECT_FALSE(info->getFrame()->isShown());
  info->update(MuInfoFrame::Locked, "Locked.", nullptr);
  EXPECT_EQ(textColumn(), "text");
  EXPECT_TRUE(info->getFrame()->isShown());
  info->update(MuInfoFrame::Locked, "Locked.", "Why?");
  EXPECT_EQ(textColumn(), "text spacer link");
  show();
  mui::MuElement* link = root.lookupElement("info.split.textLayout.link");
  EXPECT_TRUE(info->isLink(link));
  // The link's middle in the window: its place adds up through its parents.
  plat::Point at = link->getPos() + plat::Point(link->getSize().x / 2, link->getSize().y / 2);
  for (mui::MuElement* e = link->getParent(); e != &root; e = e->getParent()) at += e->getPos();
  for (int mask : {0, 1, 0}) host.pointer(at, mask);
  EXPECT_EQ(recorder.events, std::vector<std::string>{"link 1"});
  info->update(MuInfoFrame::Warning, "Careful.", nullptr);
  EXPECT_EQ(textColumn(), "text");
  info->update(MuInfoFrame::Warning, nullptr, nullptr);
  EXPECT_FALSE(info->getFrame()->isShown());
  info.reset();
  EXPECT_EQ(root.numChildren(), 0);
}

}  // namespace
