#include "lib2/wvw/WLabelMarkedUp.h"

#include <gtest/gtest.h>

#include <string>

#include "lib2/wvw/WCanvas.h"
#include "lib2/wvw/WChild.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

using namespace gwtest;
using namespace wvw;

namespace {

struct Links : plat::MarkUp::LinkCallback {
  void linkClicked(int link) override { clicked += std::to_string(link); }
  std::string clicked;
};

plat::Point middle(const plat::Rect& r) { return plat::Point((r.tl.x + r.br.x) / 2, r.tl.y + 2); }

}  // namespace

TEST(WLabelMarkedUp, OnlyAFirstButtonClickFollowsALink) {
  struct {
    int mask;
    bool leave, disable;
    const char* clicked;
  } cases[] = {{1, false, false, "1"},
               {4, false, false, ""},  // third button
               {1, true, false, ""},   // the release happens elsewhere
               {1, false, true, ""}};
  for (auto c : cases) {
    Links links;
    WLabelMarkedUp l(&links, "go ^1{there^} now", plat::ALIGN_LEFT);
    WidgetHost host(plat::Point(200, 30));
    host.host(&l);
    plat::Point at = middle(l.getPieces()[1].rect);
    host.pointer(at);
    host.pointer(at, c.mask);
    if (c.leave) host.leave();
    if (c.disable) l.setEnabled(false);
    host.pointer(at, 0);
    EXPECT_EQ(links.clicked, c.clicked) << c.mask;
  }
}

TEST(WLabelMarkedUp, CopyJoinsPiecesOfALineAndBreaksBetweenLines) {
  WLabelMarkedUp l(nullptr, "one ^1{two^} three\nfour", plat::ALIGN_LEFT);
  WidgetHost host(plat::Point(200, 60));
  l.setSelectable(true);
  host.host(&l);
  l.editCommand(WLabel::CommandSelectAll);
  l.editCommand(WLabel::CommandCopy);
  EXPECT_EQ(host.cutText, "one two three\nfour");
}

TEST(WLabelMarkedUp, BadMarkUpKeepsWhatCameBefore) {
  WLabelMarkedUp l(nullptr, nullptr, plat::ALIGN_LEFT);
  l.setSize(plat::Point(200, 30));
  EXPECT_NO_THROW(l.setLabel("fine ^q broken"));
  ASSERT_EQ(l.getPieces().size(), 1u);
  EXPECT_STREQ(l.getPieces()[0].text.get(), "fine ");
}

TEST(WLabelMarkedUp, LooksMatchTheGoldenImage) {
  WCanvas canvas;
  const char* text = "^bSee^n ^1{here^} or ^2{there^}";
  WChild<WLabelMarkedUp> plain(nullptr, text, plat::ALIGN_LEFT),
      hovered(nullptr, text, plat::ALIGN_CENTRE), off(nullptr, text, plat::ALIGN_RIGHT);
  WidgetHost host(plat::Point(120, 72));
  WLabelMarkedUp* rows[] = {&plain, &hovered, &off};
  for (int i = 0; i < 3; i++) canvas.add(rows[i], plat::Rect(0, 24 * i, 120, 24 * i + 24), nullptr);
  off.setEnabled(false);
  host.host(&canvas);
  host.pointer(hovered.getPos() + middle(hovered.getPieces()[2].rect));
  EXPECT_TRUE(matchesGolden(host.render(), GW_GOLDEN_DIR "/labels_marked_up.png"));
}
