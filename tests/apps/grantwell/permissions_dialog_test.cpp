// The permissions dialog on the stand-in back end: the box and the two
// refresh buttons, the selection after a reload or a removal, and the texts
// it refuses. The window itself is tried end to end under tests/e2e.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "apps/grantwell/PermissionsDialog.h"
#include "lib1/loc/LocaleSetter.h"
#include "lib1/os/AppLoop.h"
#include "lib1/plat/Log.h"
#include "lib2/gfxutil/ScreenDensity.h"
#include "lib2/mui/MuFactories.h"
#include "libs/svr/Permissions.h"
#include "libs/svr/PermissionsParam.h"
#include "tests/support/CaptureLogger.h"
#include "tests/support/FakeMui.h"

namespace {

using gwtest::FakeDialog;

class PermissionsDialogTest : public testing::Test {
 protected:
  // The dialog shown with `Permissions` at value.
  PermissionsDialog& start(const char* value) {
    svr::permissionsParam.setParam(value, 50);
    dialog.emplace();
    dialog->show();
    return *dialog;
  }
  mui::MuElement* at(const char* path) {
    mui::MuElement* e = dialog->getDialog()->lookupElement(path);
    EXPECT_TRUE(e) << path;
    return e;
  }
  void click(const char* path) { at(path)->dispatchEvent(at(path), mui::MuEventClicked); }
  void type(const char* text) { static_cast<gwtest::FakeEdit*>(dialog->getEdit())->text = text; }
  std::string box() { return dialog->getEdit()->getText(); }
  std::string stored() { return svr::permissionsParam.getValue(); }
  int selected() { return dialog->getList()->getSelectedRow(); }
  std::string rows() {
    std::string out;
    mui::MuList* list = dialog->getList();
    for (int r = 0; r < list->getRowCount(); r++) out += std::string(list->getCell(r, 1)) + ";";
    return out;
  }
  // Presses "Refresh Users & Groups"; the text of a message box it shows
  // comes back, "" when none.
  std::string refreshFromText() {
    std::string shown;
    FakeDialog::modalRun = [&shown](FakeDialog& d) {
      shown = d.lookupElement("main.frame.split.info.msg")->getLabel();
    };
    click("main.tl.refreshui");
    FakeDialog::modalRun = nullptr;
    return shown;
  }
  void TearDown() override {
    dialog.reset();
    svr::permissionsParam.unsetParam(50, false);
  }

  loc::LocaleSetter english{"en_US"};
  gwtest::FakeMui backEnd;
  svr::Permissions::RegistrationHelper chat{'h', "Chat", "Chat with other users", "fd", nullptr};
  std::optional<PermissionsDialog> dialog;
};

TEST_F(PermissionsDialogTest, SizeFollowsTheTextSizeFactor) {
  EXPECT_EQ(start("").getDialog()->getSize(), plat::Point(415, 625));
  dialog.reset();
  gfxutil::textSizeFactor.setParam(150, 50);
  EXPECT_EQ(start("").getDialog()->getSize(), plat::Point(623, 938));
  gfxutil::textSizeFactor.unsetParam(50, false);
}

TEST_F(PermissionsDialogTest, ExtraFeaturesGetTickRowsBeforeNoQuery) {
  start("");
  EXPECT_TRUE(dialog->getTick('h', false));
  EXPECT_TRUE(dialog->getTick('h', true));
}

TEST_F(PermissionsDialogTest, BoxIsEmptyUntilRefreshParameterShowsTheListWithBackslashesDoubled) {
  start("%staff:d,a\\b:v");
  EXPECT_EQ(box(), "");
  click("main.tl.refreshtext");
  EXPECT_EQ(box(), "a\\\\b:v,%staff:d");
}

TEST_F(PermissionsDialogTest, ReturnClicksRefreshParameter) {
  start("root:v");
  EXPECT_TRUE(dialog->getDialog()->handleActionKey(mui::ActionKeyReturn));
  EXPECT_EQ(box(), "root:v");
}

TEST_F(PermissionsDialogTest, RefreshUsersAndGroupsStoresTheTrimmedUnescapedTextAndSelectsTheLast) {
  start("");
  type("  root:v,a\\\\b:f,%staff:d \t");
  EXPECT_EQ(refreshFromText(), "");
  EXPECT_EQ(stored(), "root:v,a\\b:f,%staff:d");
  EXPECT_EQ(dialog->getList()->getRowCount(), 3);
  EXPECT_EQ(selected(), 2);
  EXPECT_STREQ(dialog->getChoice()->getText(), "Normal permissions");
}

TEST_F(PermissionsDialogTest, TextsThatAreNoListAreRefusedAndChangeNothing) {
  struct Row {
    const char* name;
    const char* typed;
  } rows[] = {
      {"backslash at the end", "root:v\\"},
      {"unknown escape", "root:v\\x"},
      {"unknown permission letter", "alice:V"},
      {"blank before the permissions", "root: v"},
  };
  start("root:f");
  for (const Row& r : rows) {
    type(r.typed);
    EXPECT_EQ(refreshFromText(), std::string("The following string is invalid:\n\n") + r.typed)
        << r.name;
    EXPECT_EQ(stored(), "root:f") << r.name;
    EXPECT_EQ(this->rows(), "root (root);") << r.name;
    EXPECT_EQ(box(), r.typed) << r.name;
  }
}

TEST_F(PermissionsDialogTest, AfterRemoveTheFirstRowIsSelectedAndTheControlsFollowIt) {
  start("root:v,%staff:f,%users:d");
  dialog->selectPrincipal(2);
  click("main.split.buttons.remove");
  EXPECT_EQ(stored(), "root:v,%staff:f");
  EXPECT_EQ(selected(), 0);
  EXPECT_STREQ(dialog->getChoice()->getText(), "View-only permissions");
  EXPECT_TRUE(gwtest::fake(at("main.settings.l.permset")).usable);
  EXPECT_TRUE(gwtest::fake(at("main.split.buttons.remove")).usable);
}

TEST_F(PermissionsDialogTest, ControlsAreUsableForARowPickedAfterStartUp) {
  start("root:chkprst");
  dialog->getList()->setSelectedRow(0);
  dialog->getList()->dispatchEvent(dialog->getList(), mui::MuEventChanged);
  for (const char* part : {"main.settings.l.permset", "main.settings.l.permcustom"})
    EXPECT_TRUE(gwtest::fake(at(part)).usable) << part;
  EXPECT_TRUE(gwtest::fake(dialog->getTick('c', true)).usable);
}

TEST_F(PermissionsDialogTest, ConfiguredListThatDoesNotParseIsLoggedAndPutIntoTheBox) {
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("PermissionsDialog"), &logger, 0);
  start("root:v,a\\b:V");
  EXPECT_EQ(rows(), "");
  EXPECT_EQ(box(), "root:v,a\\\\b:V");
  EXPECT_TRUE(logger.has("Permissions: invalid permissions string"));
  EXPECT_EQ(stored(), "root:v,a\\b:V");
}

TEST_F(PermissionsDialogTest, ConfiguredListThatDoesNotParseIsNeverStoredOver) {
  for (const char* value : {"x\\y:Q", "alice:V"}) {
    start(value);
    const std::string shown = box();
    EXPECT_TRUE(dialog->getDialog()->handleActionKey(mui::ActionKeyReturn)) << value;
    type("being corrected");
    click("main.tl.refreshtext");
    EXPECT_EQ(box(), "being corrected") << value;
    EXPECT_FALSE(gwtest::fake(at("main.split.buttons.add")).usable) << value;
    click("main.split.buttons.add");
    for (bool deny : {false, true}) {
      mui::MuCheck* tick = dialog->getTick('c', deny);
      EXPECT_FALSE(gwtest::fake(tick).usable) << value;
      tick->dispatchEvent(tick, mui::MuEventChanged);
    }
    EXPECT_FALSE(gwtest::fake(at("main.settings.l.permset.choice")).usable) << value;
    EXPECT_EQ(stored(), value);
    EXPECT_FALSE(shown.empty()) << value;
    dialog.reset();
  }
}

TEST_F(PermissionsDialogTest, ReadingAListThatParsesEndsTheRefusal) {
  start("alice:V");
  type("root:v");
  EXPECT_EQ(refreshFromText(), "");
  click("main.tl.refreshtext");
  EXPECT_EQ(box(), "root:v");
  EXPECT_TRUE(gwtest::fake(at("main.split.buttons.add")).usable);
}

TEST_F(PermissionsDialogTest, ServerOwnerAndEmptyGroupRoundTripThroughTheBox) {
  start(":d,%:v,root:f");
  EXPECT_EQ(rows().rfind("root (root);Zem Server owner [", 0), 0u) << rows();
  click("main.tl.refreshtext");
  EXPECT_EQ(box(), "root:f,:d,%:v");
  type(":v,%:d");
  EXPECT_EQ(refreshFromText(), "");
  EXPECT_EQ(stored(), ":v,%:d");
}

TEST_F(PermissionsDialogTest, ConfiguredListTooLongForTheBoxIsNotPutThereCut) {
  gwtest::CaptureLogger logger;
  gwtest::RouteWriter route(plat::LogWriter::getLogWriter("PermissionsDialog"), &logger, 0);
  std::string list(size_t(mui::MuEdit::MinCapacity), 'x');
  start((list + ",root:V").c_str());
  EXPECT_EQ(box(), "");
  EXPECT_TRUE(logger.has("Permissions: invalid permissions string"));
}

TEST_F(PermissionsDialogTest, ListTooLongForTheBoxIsNotShownCut) {
  start("root:v");
  type("kept");
  static_cast<gwtest::FakeEdit*>(dialog->getEdit())->capacity = 4;
  bool told = false;
  FakeDialog::modalRun = [&told](FakeDialog&) { told = true; };
  click("main.tl.refreshtext");
  FakeDialog::modalRun = nullptr;
  EXPECT_TRUE(told);
  EXPECT_EQ(box(), "kept");
}

TEST_F(PermissionsDialogTest, ClosingTheWindowEndsTheLoopWithZero) {
  start("");
  os::AppLoop loop;
  os::AppLoop::exitCode = 7;
  EXPECT_TRUE(dialog->getDialog()->close());
  EXPECT_EQ(os::AppLoop::exitCode, 0);
}

}  // namespace
