// The list of users and groups and the level and ticks of the selected one,
// as a person uses them; the parameter text is read through "Refresh
// Parameter", as a person reads it.
#include <X11/keysym.h>

#include <string>
#include <vector>

#include "tests/e2e/Fixture.h"

namespace e2e {
namespace {

using Strings = std::vector<std::string>;
const char kAllLetters[] = "chkpqrst";

// The letters whose Allow (or Deny) tick is checked, in kAllLetters order.
std::string ticked(const Dump& d, bool deny) {
  std::string out;
  for (const char* c = kAllLetters; *c; c++) {
    const Element* e = d.find(ids::tick(*c, deny));
    if (e && e->checked()) out += *c;
  }
  return out;
}

// The letters whose Allow and Deny ticks a person can click.
std::string usableTicks(const Dump& d) {
  std::string out;
  for (const char* c = kAllLetters; *c; c++) {
    const Element* allow = d.find(ids::tick(*c, false));
    const Element* deny = d.find(ids::tick(*c, true));
    if (allow && deny && allow->usable() && deny->usable()) out += *c;
  }
  return out;
}

// Users first, then groups, each in the order of their shown names whatever
// the case; "*" shows as "All users". Nothing is selected yet, so there is
// nothing to remove and no level to pick. Return with the list focused shows
// the parameter's text, in that order.
TEST_F(E2e, ListsThePrincipalsOfTheCommandLineSorted) {
  ASSERT_TRUE(startShown({"Permissions=%GW-Staff:d,gw-bob:v,%adm:f,GW-carol:d,*:v,root:f"}));
  ASSERT_TRUE(tool.waitDump(
      ids::kMain, [](const Dump& d) { return d.find(ids::kList)->rows.size() == 6; }, "6 rows"));
  EXPECT_EQ(tool.rowTexts(),
            Strings({"All users", "root (root)", "Unknown user (gw-bob)", "Unknown user (GW-carol)",
                     "adm", "Unknown group (GW-Staff)"}));
  Strings images;
  for (const Row& r : tool.element(ids::kList).rows) images.push_back(r.text.substr(0, 5));
  EXPECT_EQ(images, Strings({"user|", "user|", "user|", "user|", "group", "group"}));
  EXPECT_EQ(tool.element(ids::kList).selected(), -1);
  EXPECT_FALSE(tool.element(ids::kRemoveButton).enabled);
  EXPECT_TRUE(tool.element(ids::kAddButton).enabled);
  EXPECT_FALSE(tool.element(ids::kChoice).enabled);
  EXPECT_EQ(tool.element(ids::kChoice).field("text"), "");
  EXPECT_EQ(tool.element(ids::kBox).field("text"), "");

  ASSERT_TRUE(tool.clickRow(2));
  ASSERT_TRUE(tool.waitDump(
      ids::kMain,
      [](const Dump& d) {
        return d.find(ids::kList)->focused && d.find(ids::kList)->selected() == 2;
      },
      "the list focused, row 2 selected"));
  ASSERT_TRUE(tool.key(XK_Return));
  EXPECT_TRUE(tool.waitDump(
      ids::kMain,
      [](const Dump& d) {
        return d.find(ids::kBox)->field("text") ==
               "*:v,root:f,gw-bob:v,GW-carol:d,%adm:f,%GW-Staff:d";
      },
      "the parameter text in the box"));
  closeAndExpectStatusZero();
}

// A fixed level shows its letters greyed; any other set is Custom, with its
// ticks to click.
TEST_F(E2e, ShowsTheLevelOfTheSelectedRow) {
  ASSERT_TRUE(startShown({"Permissions=gw-v:v,gw-d:d,gw-f:f,gw-s:s,gw-none:"}));
  struct Row {
    const char* name;
    const char* level;
    const char* allowed;  // in kAllLetters order
    bool custom;
  } rows[] = {
      // In the list's order: by name.
      {"gw-d", "Normal permissions", "chkprst", false},
      {"gw-f", "Administrative permissions", "chkpqrst", false},
      {"gw-none", "Custom permissions", "", true},
      {"gw-s", "Custom permissions", "s", true},
      {"gw-v", "View-only permissions", "s", false},
  };
  for (int i = 0; i < 5; i++) {
    const Row& r = rows[i];
    SCOPED_TRACE(r.name);
    ASSERT_TRUE(tool.clickRow(i));
    ASSERT_TRUE(tool.waitDump(
        ids::kMain,
        [&](const Dump& d) {
          return d.find(ids::kList)->selected() == i &&
                 d.find(ids::kChoice)->field("text") == r.level;
        },
        r.level));
    const Dump& d = *tool.latest(ids::kMain);
    EXPECT_EQ(tool.rowTexts()[size_t(i)], std::string("Unknown user (") + r.name + ")");
    EXPECT_EQ(ticked(d, false), r.allowed);
    EXPECT_EQ(ticked(d, true), "");
    EXPECT_EQ(usableTicks(d), r.custom ? kAllLetters : "");
    EXPECT_TRUE(d.find(ids::kChoice)->usable());
    EXPECT_TRUE(d.find(ids::kRemoveButton)->usable());
    EXPECT_EQ(d.find("main.settings.l.permcustom.help")->shown, r.custom);
  }
  closeAndExpectStatusZero();
}

// "d" made Custom keeps its letters; a Deny tick takes the letter out of
// Allow and puts it after the "!"; clearing it leaves the letter unset.
TEST_F(E2e, CustomLevelTicksShowInTheParameter) {
  ASSERT_TRUE(startShown({"Permissions=gw-alice:d"}));
  ASSERT_TRUE(tool.clickRow(0));
  ASSERT_TRUE(tool.pickLastLevel());
  ASSERT_TRUE(tool.waitDump(
      ids::kMain,
      [](const Dump& d) {
        return d.find(ids::kChoice)->field("text") == "Custom permissions" &&
               usableTicks(d) == kAllLetters;
      },
      "the Custom level with its ticks"));
  EXPECT_TRUE(tool.refreshParameterShows("gw-alice:chkprst"));

  ASSERT_TRUE(tool.click(ids::tick('c', true)));
  ASSERT_TRUE(tool.waitDump(
      ids::kMain,
      [](const Dump& d) { return ticked(d, true) == "c" && ticked(d, false) == "hkprst"; },
      "Deny c ticked, Allow c cleared"));
  EXPECT_TRUE(tool.refreshParameterShows("gw-alice:hkprst!c"));

  ASSERT_TRUE(tool.click(ids::tick('c', true)));
  ASSERT_TRUE(tool.waitDump(
      ids::kMain, [](const Dump& d) { return ticked(d, true) == ""; }, "Deny c cleared"));
  EXPECT_TRUE(tool.refreshParameterShows("gw-alice:hkprst"));
  closeAndExpectStatusZero();
}

// A user typed by number is stored by name, with Normal permissions, and
// selected; a name already listed is only selected.
TEST_F(E2e, AddsAUserByNumberAndSelectsOneAlreadyListed) {
  ASSERT_TRUE(startShown({"Permissions=gw-alice:v"}));
  auto add = [&](const std::string& name) {
    if (!tool.click(ids::kAddButton)) return false;
    if (!tool.waitDump(
            ids::kAdd,
            [](const Dump& d) {
              const Element* edit = d.find("main.name");
              return edit && edit->focused;
            },
            "the add dialog, the name to type"))
      return false;
    std::string ok = tool.idEnding(ids::kAdd, ".ok");
    EXPECT_FALSE(tool.element(ok, ids::kAdd).enabled) << "OK without a name";
    if (!tool.click("main.name", ids::kAdd) || !tool.type(name, ids::kAdd)) return false;
    if (!tool.click(ok, ids::kAdd)) return false;
    Window dialog = tool.latest(ids::kAdd)->window;
    return tool.waitUntil([&] { return !desktop.viewable(dialog); }, "the add dialog to go");
  };

  ASSERT_TRUE(add("0"));
  ASSERT_TRUE(tool.waitSelected(2, 0, "Normal permissions"));
  EXPECT_EQ(tool.rowTexts(), Strings({"root (root)", "Unknown user (gw-alice)"}));
  EXPECT_TRUE(tool.refreshParameterShows("root:d,gw-alice:v"));

  ASSERT_TRUE(tool.clickRow(1));
  ASSERT_TRUE(add("root"));
  ASSERT_TRUE(tool.waitDump(
      ids::kMain, [](const Dump& d) { return d.find(ids::kList)->selected() == 0; },
      "the listed root selected"));
  EXPECT_EQ(tool.rowTexts(), Strings({"root (root)", "Unknown user (gw-alice)"}));
  EXPECT_TRUE(tool.refreshParameterShows("root:d,gw-alice:v"));
  closeAndExpectStatusZero();
}

// OK stays off while the name holds what the parameter's list cannot hold:
// a "," or a ":", or, for a user, a leading "%". Cancel adds nothing.
TEST_F(E2e, AddDialogRefusesNamesTheListCannotHold) {
  ASSERT_TRUE(startShown({"Permissions=gw-alice:v"}));
  ASSERT_TRUE(tool.click(ids::kAddButton));
  ASSERT_TRUE(tool.click("main.name", ids::kAdd));
  std::string ok = tool.idEnding(ids::kAdd, ".ok");
  struct Step {
    std::vector<KeySym> keys;  // pressed before typing
    const char* typed;
    const char* name;  // in the box then
    bool okOn;
  } steps[] = {
      {{}, "gw", "gw", true},
      {{}, ",x", "gw,x", false},
      {{XK_BackSpace, XK_BackSpace}, ":x", "gw:x", false},
      {{XK_BackSpace, XK_BackSpace}, "", "gw", true},
      {{XK_Home}, "%", "%gw", false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    for (KeySym k : step.keys) ASSERT_TRUE(tool.key(k, {}, ids::kAdd));
    ASSERT_TRUE(tool.type(step.typed, ids::kAdd));
    ASSERT_TRUE(tool.waitDump(
        ids::kAdd,
        [&](const Dump& d) {
          return d.find("main.name")->field("text") == step.name &&
                 d.find(ok)->enabled == step.okOn;
        },
        step.okOn ? "OK on" : "OK off"));
  }
  ASSERT_TRUE(tool.click(tool.idEnding(ids::kAdd, ".cancel"), ids::kAdd));
  Window dialog = tool.latest(ids::kAdd)->window;
  ASSERT_TRUE(tool.waitUntil([&] { return !desktop.viewable(dialog); }, "the add dialog to go"));
  EXPECT_EQ(tool.rowTexts(), Strings({"Unknown user (gw-alice)"}));
  EXPECT_TRUE(tool.refreshParameterShows("gw-alice:v"));
  closeAndExpectStatusZero();
}

// After a removal the first row is selected, and the level and the buttons
// follow it; with the last one gone nothing is, and the text is empty.
TEST_F(E2e, RemovesTheSelectedPrincipal) {
  ASSERT_TRUE(startShown({"Permissions=gw-a:v,gw-b:d,gw-c:f"}));
  ASSERT_TRUE(tool.clickRow(1));
  ASSERT_TRUE(tool.click(ids::kRemoveButton));
  ASSERT_TRUE(tool.waitSelected(2, 0, "View-only permissions"));
  EXPECT_EQ(tool.rowTexts(), Strings({"Unknown user (gw-a)", "Unknown user (gw-c)"}));
  EXPECT_TRUE(tool.refreshParameterShows("gw-a:v,gw-c:f"));

  for (size_t left : {1, 0}) {
    ASSERT_TRUE(tool.click(ids::kRemoveButton));
    ASSERT_TRUE(tool.waitDump(
        ids::kMain, [&](const Dump& d) { return d.find(ids::kList)->rows.size() == left; },
        std::to_string(left) + " rows left"));
  }
  const Dump& d = *tool.latest(ids::kMain);
  EXPECT_EQ(d.find(ids::kList)->selected(), -1);
  EXPECT_FALSE(d.find(ids::kRemoveButton)->enabled);
  EXPECT_FALSE(d.find(ids::kChoice)->enabled);
  EXPECT_TRUE(tool.refreshParameterShows(""));
  closeAndExpectStatusZero();
}

}  // namespace
}  // namespace e2e
