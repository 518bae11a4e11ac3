// The labelled choice: a non-editable choice beside its label, closed and open.
#include "lib2/wvw/WLabelChoice.h"

#include <gtest/gtest.h>

#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"

TEST(WLabelChoice, APickLeavesTheTextUnselectedAndTheRowMatchesTheGoldenImages) {
  wvw::WLabelChoice row("Level:", false, false, 255);
  wvw::WChoice* c = row.getChoice();
  for (auto [id, s] : {std::pair{2, "Full"}, {1, "View only"}, {0, "R&D"}}) c->addItem(id, s);
  c->handleClick(c->getMenu()->items().front());
  EXPECT_EQ(c->getText()->getSelLength(), 0);
  gwtest::WidgetHost host(plat::Point(150, 23)), popup(c->getMenu()->getSize());
  host.host(&row);
  popup.host(c->getMenu());
  EXPECT_TRUE(gwtest::matchesGolden(host.render(), GW_GOLDEN_DIR "/choice.png"));
  EXPECT_TRUE(gwtest::matchesGolden(popup.render(), GW_GOLDEN_DIR "/choice_menu.png"));
}
