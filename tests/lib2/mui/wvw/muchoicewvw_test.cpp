#include "lib2/mui/wvw/MuChoiceWvw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lib2/fb/Keysyms.h"
#include "lib2/mui/MuFactories.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuLayoutWvw.h"
#include "lib2/wvw/WCanvas.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/Golden.h"
#include "tests/support/WidgetHost.h"
#include "tests/support/WvwBackEnd.h"

namespace {

using mui::MuChoice;
namespace ks = fb::keysym;
constexpr unsigned kBackSpace = 0xFF08, kHome = 0xFF50;

// Counts the events the tree sends.
struct Events : mui::MuObserver {
  void elementEvent(mui::MuElement*, int code) override { seen += std::to_string(code) + " "; }
  std::string seen;
};

class MuChoiceWvwTest : public ::testing::Test {
 protected:
  // Items 2 "Full" and 1 "View only", shown on a canvas with the field
  // holding the focus.
  mui::MuChoiceWvw* make(int flags) {
    auto* c = static_cast<mui::MuChoiceWvw*>(mui::muChoice(&root, "c", "Level:", flags));
    c->addItem(2, "Full");
    c->addItem(1, "View only");
    c->getChoice()->getText()->requestFocus();
    return c;
  }
  void type(const char* s) {
    for (; *s; s++) host.press((unsigned char)*s);
  }
  // "text selection events", the events taken.
  std::string state(MuChoice* c) {
    std::string s =
        std::string(c->getText()) + " " + std::to_string(c->getSelection()) + " " + events.seen;
    events.seen.clear();
    return s;
  }

  gwtest::WvwBackEnd backEnd;
  wvw::WCanvas canvas;
  mui::MuLayoutWvw root{nullptr, "root", mui::MuLayout::Vertical};
  Events events;
  gwtest::WidgetHost host{plat::Point(160, 23)};
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route{plat::LogWriter::getLogWriter("MuChoiceWvw"), &logger, 100};

  MuChoiceWvwTest() {
    root.registerObserver(&events, true);
    canvas.add(mui::getWidget(&root), plat::Rect(0, 0, 160, 23), nullptr);
    host.host(&canvas);
    host.focusWindow(true);
  }
};

TEST_F(MuChoiceWvwTest, ItemsGoByIdAndAnIdGivenAgainTakesTheNewText) {
  MuChoice* c = mui::muChoice(&root, "e", nullptr, 0);
  EXPECT_EQ(c->size(), 0);
  c->addItem(2, "Full");
  c->addItem(1, "View");
  c->addItem(2, "All");
  EXPECT_STREQ(c->getItems().get(), "1:View\n2:All\n");
  EXPECT_EQ(c->size(), 2);
}

// A pick from the menu and a step with Up are a person's too.
TEST_F(MuChoiceWvwTest, OnlySetSelectionChangesTheTextWithoutTelling) {
  mui::MuChoiceWvw* c = make(0);
  c->setSelection(2);
  EXPECT_EQ(state(c), "Full 2 ");
  c->setSelection(7);
  EXPECT_EQ(state(c), " -1 ");
  c->setText("View only");
  c->setText("View only");
  EXPECT_EQ(state(c), "View only 1 0 ");
  wvw::WChoice* w = c->getChoice();
  w->handleClick(w->getMenu()->items().front());  // the menu lists "Full" first
  EXPECT_EQ(state(c), "Full 2 0 ");
  host.press(ks::Up);
  EXPECT_EQ(state(c), "View only 1 0 ");
}

// Typing and deleting, with "Full" selected and the cursor placed first: an
// editable choice takes each and tells; one that is not editable refuses
// each with a bell and keeps its item (pasting goes the same way).
TEST_F(MuChoiceWvwTest, OnlyAnEditableChoiceTakesEdits) {
  constexpr unsigned kEnd = 0xFF57;
  const struct {
    const char* name;
    std::vector<unsigned> keys;
    const char* editable;  // the state after them in an editable choice
  } rows[] = {
      {"typing before the text", {kHome, 'x', 'y', 'z'}, "xyzFull -1 0 0 0 "},
      {"deleting", {kEnd, kBackSpace}, "Ful -1 0 "},
  };
  for (const auto& r : rows) {
    for (int flags : {0, int(MuChoice::Editable)}) {
      root.destroyChildren();
      MuChoice* c = make(flags);
      c->setSelection(2);
      host.bells = 0;
      for (unsigned k : r.keys) host.press(k);
      EXPECT_EQ(state(c), flags ? r.editable : "Full 2 ") << r.name << ", flags " << flags;
      EXPECT_EQ(host.bells > 0, flags == 0) << r.name << ", flags " << flags;
    }
  }
}

TEST_F(MuChoiceWvwTest, TypingCompletesFromItemsAddedAfterwards) {
  MuChoice* c = make(MuChoice::Editable | MuChoice::Autocomplete);
  c->addItem(3, "Normal");
  c->setText("");
  events.seen.clear();
  type("N");
  EXPECT_EQ(state(c), "Normal 3 0 0 ");
}

// Its text is always an item's, or empty: a text that is no item's is
// refused with an error, and an item changing under the text takes it along.
TEST_F(MuChoiceWvwTest, AChoiceThatIsNotEditableKeepsToItsItems) {
  MuChoice* c = make(0);
  c->setSelection(2);
  c->setText("Fulls");
  EXPECT_EQ(state(c), "Full 2 ");
  EXPECT_TRUE(logger.has("choice c has no item \"Fulls\": its text stays \"Full\""));
  c->addItem(2, "All");
  EXPECT_EQ(state(c), "All 2 ");
  c->removeItem(2);
  EXPECT_EQ(state(c), " -1 ");
  c->setSelection(1);
  c->removeAllItems();
  EXPECT_EQ(state(c), " -1 ");
}

TEST_F(MuChoiceWvwTest, AnItemLongerThanTheFieldCanBeSelected) {
  MuChoice* c = make(0);
  c->addItem(5, std::string(300, 'w').c_str());
  c->setSelection(5);
  EXPECT_EQ(c->getSelection(), 5);
}

TEST_F(MuChoiceWvwTest, AClosedChoiceMatchesTheGoldenImage) {
  make(0)->setSelection(1);
  host.focusWindow(false);  // no cursor
  EXPECT_TRUE(gwtest::matchesGolden(host.render(), GW_GOLDEN_DIR "/choice.png"));
}

}  // namespace
