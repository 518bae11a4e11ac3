#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/libs/sui/EditorHarness.h"

namespace {

using suitest::Editor;
using suitest::kLetters;
using suitest::ListScheme;
using PermissionsEditorTest = suitest::EditorHarness;

TEST_F(PermissionsEditorTest, WithNothingSelectedEveryControlIsDisabledAndNoAccessOffered) {
  start({});
  EXPECT_EQ(editor.getList()->getSelectedRow(), -1);
  EXPECT_EQ(choice()->size(), 5);
  EXPECT_EQ(choice()->items[Editor::NoAccess], "No access");
  EXPECT_FALSE(gwtest::fake(choice()).usable);
  EXPECT_EQ(usable(false) + usable(true), "");
  EXPECT_FALSE(shown("settings.l.permcustom.help"));
  // Rows in the order a person reads them, whatever order they were added.
  auto* custom = static_cast<mui::MuLayout*>(at("settings.l.permcustom"));
  std::string ids;
  for (int i = 0; i < custom->numChildren(); i++) ids += custom->lookup(i)->getId()[0];
  EXPECT_EQ(ids, "hskpchtrqh");  // heading ... help
}

TEST_F(PermissionsEditorTest, SelectingARowShowsItsLevelAndTicks) {
  const struct {
    const char* name;
    const char* text;
    int level;
    const char* allowed;
    const char* denied;
  } rows[] = {
      {"view-only", "v", Editor::ViewOnly, "s", ""},
      {"normal", "d", Editor::Normal, "skpchtr", ""},
      {"administrative", "f", Editor::Admin, "skpchtrq", ""},
      {"custom", "sk!q", Editor::Custom, "sk", "q"},
      {"nothing granted", "", Editor::Custom, "", ""},
      {"view spelt out", "s", Editor::Custom, "s", ""},
  };
  start({});
  for (const auto& r : rows) {
    scheme->sets.clear();
    scheme->sets.push_back(std::make_unique<svr::Permissions>(r.text));
    scheme->log.clear();
    editor.updateUi(scheme);
    pickRow(0);
    bool custom = r.level == Editor::Custom;
    EXPECT_EQ(choice()->getSelection(), r.level) << r.name;
    EXPECT_EQ(choice()->size(), 4) << r.name;
    EXPECT_TRUE(gwtest::fake(choice()).usable) << r.name;
    EXPECT_EQ(checked(false), r.allowed) << r.name;
    EXPECT_EQ(checked(true), r.denied) << r.name;
    EXPECT_EQ(usable(false) + usable(true), custom ? "skpchtrqskpchtrq" : "") << r.name;
    EXPECT_EQ(shown("settings.l.permcustom.help"), custom) << r.name;
    EXPECT_EQ(scheme->log, "selected -1;selected 0;") << r.name;
  }
}

// A host disables the containers while nothing is selected; they used to
// stay disabled, so the choice and ticks looked usable but took no click.
TEST_F(PermissionsEditorTest, SelectingARowEnablesTheContainersOfTheControls) {
  start({"sk"});
  at("settings.l.permset")->enable(false);
  at("settings.l.permcustom")->enable(false);
  pickRow(0);
  EXPECT_TRUE(gwtest::fake(at("settings.l.permset")).usable);
  EXPECT_TRUE(gwtest::fake(at("settings.l.permcustom")).usable);
}

TEST_F(PermissionsEditorTest, ChoosingALevelStoresItsTextAtOnce) {
  const struct {
    const char* name;
    int level;
    const char* stored;
    const char* usableAllow;
  } rows[] = {
      {"view-only", Editor::ViewOnly, "v", ""},
      {"administrative", Editor::Admin, "f", ""},
      {"custom keeps the ticks", Editor::Custom, "chkprst", "skpchtrq"},
  };
  for (const auto& r : rows) {
    start({"d"});
    pickRow(0);
    scheme->log.clear();
    pickLevel(r.level);
    EXPECT_STREQ(text(0), r.stored) << r.name;
    EXPECT_EQ(scheme->log, "changed 0;") << r.name;
    EXPECT_EQ(usable(false), r.usableAllow) << r.name;
  }
}

TEST_F(PermissionsEditorTest, DenyTicksReplaceAllowAndClearingLeavesTheLetterUnset) {
  start({"d"});
  pickRow(0);
  scheme->log.clear();
  pickLevel(Editor::Custom);
  clickTick('c', true);
  EXPECT_STREQ(text(0), "hkprst!c");
  EXPECT_EQ(checked(false) + "|" + checked(true), "skphtr|c");
  clickTick('c', true);
  EXPECT_STREQ(text(0), "hkprst");
  clickTick('q', false);
  EXPECT_STREQ(text(0), "hkpqrst");
  EXPECT_EQ(scheme->log, "changed 0;changed 0c;changed 0c;changed 0q;");
  EXPECT_EQ(choice()->getSelection(), Editor::Custom);
}

// Removing used to leave no principal selected (or one highlighted that
// the controls did not show); the next one is now selected properly.
TEST_F(PermissionsEditorTest, RemoveSelectsTheNeighbourUntilNoRowIsLeft) {
  start({"v", "f", "d"});
  auto remove = [&] { at("split.buttons.remove")->dispatchEvent(at("split.buttons.remove"), 1); };
  pickRow(2);
  remove();
  EXPECT_EQ(editor.getCurrentPrincipalIndex(), 1);
  EXPECT_EQ(choice()->getSelection(), Editor::Admin);
  pickRow(0);
  scheme->log.clear();
  remove();
  EXPECT_EQ(editor.getCurrentPrincipalIndex(), 0);
  EXPECT_EQ(scheme->log, "selected 0;");
  EXPECT_EQ(choice()->getSelection(), Editor::Admin);
  EXPECT_TRUE(gwtest::fake(choice()).usable);
  remove();
  EXPECT_EQ(editor.getList()->getRowCount(), 0);
  EXPECT_EQ(editor.getCurrentPrincipalIndex(), -1);
  EXPECT_EQ(choice()->size(), 5);
  EXPECT_FALSE(gwtest::fake(choice()).usable);
}

// The last set goes with its principal; a late event must not write into it.
TEST_F(PermissionsEditorTest, EventsAfterTheLastPrincipalWentChangeNothing) {
  start({"d"});
  pickRow(0);
  pickLevel(Editor::Custom);
  at("split.buttons.remove")->dispatchEvent(at("split.buttons.remove"), 1);
  scheme->log.clear();
  clickTick('c', true);
  pickLevel(Editor::ViewOnly);
  EXPECT_EQ(scheme->log, "");
}

TEST_F(PermissionsEditorTest, ReplacingTheSchemeOnShowEmptiesTheList) {
  start({"d"});
  pickRow(0);
  editor.addScheme(svr::SAuthentication(2),
                   std::make_unique<ListScheme>(&editor, std::vector<const char*>{}));
  clickTick('c', true);
  EXPECT_EQ(editor.getList()->getRowCount(), 0);
  EXPECT_FALSE(gwtest::fake(choice()).usable);
}

TEST_F(PermissionsEditorTest, PolicyLocksTheChoiceAndEveryTick) {
  start({"sk!q"}, true);
  pickRow(0);
  EXPECT_TRUE(choice()->getFlags() & mui::MuElement::Locked);
  EXPECT_EQ(ticks(false, [](mui::MuCheck* t) { return t->getFlags() & mui::MuElement::Locked; }),
            kLetters);
  EXPECT_FALSE(gwtest::fake(editor.getTick('s', true)).usable);
}

TEST_F(PermissionsEditorTest, DoubleClickEditsOnlyAPrincipalRow) {
  start({"d"});
  editor.getList()->dispatchEvent(editor.getList(), mui::MuEventDoubleClicked);
  pickRow(0);
  scheme->log.clear();
  editor.getList()->dispatchEvent(editor.getList(), mui::MuEventDoubleClicked);
  EXPECT_EQ(scheme->log, "edit;");
}

TEST_F(PermissionsEditorTest, TypedChoiceTextStoresNothingAndShowsTheLevelAgain) {
  start({"d"});
  pickRow(0);
  scheme->log.clear();
  choice()->setText("all of it");
  EXPECT_EQ(scheme->log, "");
  EXPECT_EQ(choice()->getSelection(), Editor::Normal);
}

using PermissionsEditorDeathTest = PermissionsEditorTest;

TEST_F(PermissionsEditorDeathTest, ASchemeIndexOutsideTheListStopsTheProgram) {
  start({"d"});
  EXPECT_DEATH(editor.addPrincipal(-1, "x", "user"), "index >= 0");
  EXPECT_DEATH(editor.addPrincipal(2, "x", "user"), "index <= schemeEndIndex");
}

}  // namespace
