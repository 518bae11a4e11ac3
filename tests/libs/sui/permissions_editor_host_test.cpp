#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

#include "lib1/plat/StrUtil.h"
#include "tests/libs/sui/EditorHarness.h"

namespace {

using suitest::Editor;

// The host page: the global set, the guest's set and name, the parameters
// set by policy; it refreshes the editor as a page does and writes down
// what it is asked to store.
struct Page : Editor::Callback {
  void updateSelection(bool resetChoice) override {
    refreshes += resetChoice ? "R" : "r";
    editor->updateSelection(resetChoice);
  }
  bool isParamPolicy(const char* name) override { return policy.count(name) > 0; }
  void authInfoInvoked() override { log += "auth;"; }
  svr::Permissions* getGlobalPerms() override { return &global; }
  void setGlobalPerms() override { log += std::string("global ") + global.getString() + ";"; }
  bool hasExtraVerifier() override { return withGuest; }
  svr::Permissions* getExtraVerifierPerms(bool* locked) override {
    if (locked) *locked = guestLocked;
    return &guest;
  }
  void setExtraVerifierPerms() override { log += std::string("guest ") + guest.getString() + ";"; }
  void getExtraVerifierName(char** name, bool* allowsAccess) override {
    *name = plat::strDup("Guest (bob)");
    *allowsAccess = guest.allowsAccess();
  }

  Editor* editor = nullptr;
  svr::Permissions global{"hkqs!p"};  // c unset: its two parameters disagree
  svr::Permissions guest;
  bool withGuest = true;
  bool guestLocked = false;
  std::set<std::string> policy;
  std::string log;
  std::string refreshes;
};

// The page is built before the editor that reports to it.
struct PageFirst {
  Page page;
};

class HostPageTest : public PageFirst, public suitest::EditorHarness {
 protected:
  HostPageTest() : EditorHarness(&page) { page.editor = &editor; }

  // The rows as "image:text", joined by "|".
  std::string rows() {
    std::string out;
    mui::MuList* list = editor.getList();
    for (int r = 0; r < list->getRowCount(); r++)
      out += std::string(r ? "|" : "") + list->getCell(r, 0) + ":" + list->getCell(r, 1);
    return out;
  }
  gwtest::FakeCheck* box(char letter) {
    return static_cast<gwtest::FakeCheck*>(
        at(("settings.l.global." + std::string(1, letter)).c_str()));
  }
  // The ids of the global row's children, in order.
  std::string globalIds() {
    auto* global = static_cast<mui::MuLayout*>(at("settings.l.global"));
    std::string ids;
    for (int i = 0; i < global->numChildren(); i++) ids += global->lookup(i)->getId()[0];
    return ids;
  }
};

TEST_F(HostPageTest, ListRowsAndSchemeIndicesMeetAroundTheGlobalAndGuestRows) {
  start({"v", "d"});
  EXPECT_EQ(rows(), "global:Global permissions|user:v|user:d|noguest:Guest (bob) - disabled");
  const struct {
    const char* name;
    int row;
    int index;
  } picks[] = {
      {"global", 0, Editor::GLOBAL},
      {"first principal", 1, 0},
      {"second principal", 2, 1},
      {"guest", 3, Editor::GUEST},
  };
  for (const auto& p : picks) {
    scheme->log.clear();
    pickRow(p.row);
    EXPECT_EQ(editor.getCurrentPrincipalIndex(), p.index) << p.name;
    EXPECT_EQ(scheme->log, "selected " + std::to_string(p.index) + ";") << p.name;
    editor.selectPrincipal(Editor::GLOBAL);
    editor.selectPrincipal(p.index);
    EXPECT_EQ(editor.getList()->getSelectedRow(), p.row) << p.name;
  }
  // A principal added last goes before the guest row, which moves down.
  scheme->sets.push_back(std::make_unique<svr::Permissions>("f"));
  editor.addPrincipal(2, "f", "user");
  editor.selectPrincipal(Editor::GUEST);
  EXPECT_EQ(editor.getList()->getSelectedRow(), 4);
  EXPECT_EQ(editor.getCurrentPrincipalIndex(), Editor::GUEST);
  editor.selectPrincipal(2);
  EXPECT_EQ(choice()->getSelection(), Editor::Admin);
}

TEST_F(HostPageTest, TheGlobalRowSwitchesFeaturesThroughThePage) {
  start({"d"});
  pickRow(0);
  EXPECT_TRUE(shown("settings.l.global"));
  EXPECT_FALSE(shown("settings.l.permset") || shown("settings.l.permcustom"));
  // Boxes only for features with parameters, above the help.
  EXPECT_EQ(globalIds(), "kpchh");
  EXPECT_EQ(std::to_string(box('k')->state) + std::to_string(box('p')->state) +
                std::to_string(box('c')->state),
            "102");
  box('c')->click();
  box('k')->click();
  EXPECT_EQ(page.log, "global chkqs!p;global chqs!kp;");
  EXPECT_EQ(box('k')->state, 0);
  EXPECT_EQ(scheme->log, "selected -1;selected -1;");
  // Back on a principal, the level and ticks show again.
  pickRow(1);
  EXPECT_FALSE(shown("settings.l.global"));
  EXPECT_TRUE(shown("settings.l.permset") && shown("settings.l.permcustom"));
}

TEST_F(HostPageTest, TheGuestRowOffersNoAccessAndIsStoredByThePage) {
  start({""});
  pickRow(1);
  EXPECT_EQ(choice()->size(), 4) << "a principal with nothing granted";
  EXPECT_EQ(choice()->getSelection(), Editor::Custom);
  pickRow(2);
  EXPECT_EQ(choice()->size(), 5);
  EXPECT_EQ(choice()->getSelection(), Editor::NoAccess);
  EXPECT_EQ(usable(false) + usable(true), "");
  pickLevel(Editor::ViewOnly);
  EXPECT_EQ(rows().substr(rows().rfind('|') + 1), "guest:Guest (bob)");
  pickLevel(Editor::Custom);
  clickTick('c', true);
  pickLevel(Editor::NoAccess);
  EXPECT_EQ(page.log, "guest v;guest s;guest s!c;guest ;");
  EXPECT_EQ(rows().substr(rows().rfind('|') + 1), "noguest:Guest (bob) - disabled");
  EXPECT_EQ(scheme->log, "selected -1;selected 0;selected -2;");
}

TEST_F(HostPageTest, PolicyLocksTheGlobalBoxOfAnyOfItsParametersAndTheGuestRow) {
  page.policy = {"SendCutText", "EnableChat"};
  page.guestLocked = true;
  page.guest.parse("d");
  start({"d"});
  pickRow(0);
  std::string locked;
  for (char c : {'k', 'p', 'c', 'h'})
    if (box(c)->getFlags() & mui::MuElement::Locked) locked += c;
  EXPECT_EQ(locked, "ch");
  pickRow(2);
  EXPECT_TRUE(choice()->getFlags() & mui::MuElement::Locked);
  EXPECT_EQ(ticks(true, [](mui::MuCheck* t) { return t->getFlags() & mui::MuElement::Locked; }),
            suitest::kLetters);
  pickRow(1);
  EXPECT_FALSE(choice()->getFlags() & mui::MuElement::Locked) << "the scheme's own principal";
}

TEST_F(HostPageTest, TheHelpLineShowsUntilARowOtherThanAPrincipalsIsSelected) {
  start({"d", "v"});
  const struct {
    const char* name;
    std::function<void()> act;
    bool shown;
  } steps[] = {
      {"asked for", [&] { editor.showHelp("Members of staff."); }, true},
      {"another principal", [&] { pickRow(2); }, true},
      {"the global row picked", [&] { pickRow(0); }, false},
      {"asked for again", [&] { editor.showHelp("Members of staff."); }, true},
      {"the guest row selected", [&] { editor.selectPrincipal(Editor::GUEST); }, false},
      {"and again", [&] { editor.showHelp("Members of staff."); }, true},
      {"taken back", [&] { editor.showHelp(nullptr); }, false},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(shown("settings.l.help"), s.shown) << s.name;
  }
  editor.showHelp("Members of staff.");
  EXPECT_STREQ(at("settings.l.help")->getLabel(), "Members of staff.");
}

TEST_F(HostPageTest, WithoutASchemeTheGlobalRowIsSelectedAndItsHelpHidden) {
  editor.updateUi(nullptr);
  EXPECT_EQ(rows(), "global:Global permissions|noguest:Guest (bob) - disabled");
  EXPECT_EQ(editor.getCurrentPrincipalIndex(), Editor::GLOBAL);
  EXPECT_FALSE(shown("settings.l.global.help"));
  start({});
  EXPECT_TRUE(shown("settings.l.global.help"));
}

// Refreshes go through the page, which lays itself out: a fresh pick
// re-reads the level, an edit keeps the choice as it stands.
TEST_F(HostPageTest, EveryRefreshGoesThroughThePage) {
  start({"d"});
  page.refreshes.clear();
  pickRow(1);
  pickLevel(Editor::Custom);
  clickTick('c', true);
  EXPECT_EQ(page.refreshes, "Rrr");
}

// With no row selected there is no set to write into; selecting a row
// again makes the controls usable, whatever the page disabled meanwhile.
TEST_F(HostPageTest, NoRowSelectedLeavesEveryControlDisabledAndEveryEventUnheard) {
  page.withGuest = false;
  start({"d"});
  pickRow(1);
  pickLevel(Editor::Custom);
  pickRow(0);
  editor.selectPrincipal(Editor::GUEST);
  ASSERT_EQ(editor.getList()->getSelectedRow(), -1);
  EXPECT_FALSE(gwtest::fake(at("settings.l.global")).usable);
  EXPECT_FALSE(gwtest::fake(choice()).usable);
  scheme->log.clear();
  page.log.clear();
  box('c')->click();
  clickTick('c', true);
  pickLevel(Editor::ViewOnly);
  EXPECT_EQ(scheme->log + page.log, "");
  at("settings.l.permset")->enable(false);
  pickRow(0);
  EXPECT_TRUE(gwtest::fake(at("settings.l.global")).usable);
  pickRow(1);
  EXPECT_TRUE(gwtest::fake(at("settings.l.permset")).usable);
}

TEST_F(HostPageTest, RemovingTheLastPrincipalSelectsTheGlobalRow) {
  start({"d"});
  pickRow(1);
  at("split.buttons.remove")->dispatchEvent(at("split.buttons.remove"), mui::MuEventClicked);
  EXPECT_EQ(rows(), "global:Global permissions|noguest:Guest (bob) - disabled");
  EXPECT_EQ(editor.getCurrentPrincipalIndex(), Editor::GLOBAL);
  EXPECT_TRUE(shown("settings.l.global"));
}

TEST_F(HostPageTest, TheBannersLinkReachesThePage) {
  start({});
  editor.updateAuthInfo(mui::MuInfoFrame::Warning, "No password.", "Change this");
  EXPECT_TRUE(shown("info"));
  mui::MuElement* link = at("info.split.textLayout.link");
  link->dispatchEvent(link, mui::MuEventClicked);
  EXPECT_EQ(page.log, "auth;");
}

}  // namespace
