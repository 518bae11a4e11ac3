// The system-account scheme in a small host editor on the stand-in back end,
// against the fake account files of this folder: what the list shows, what
// is stored in `Permissions`, and the add dialog as a person answers it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "lib1/loc/LocaleSetter.h"
#include "lib1/plat/Configuration.h"
#include "lib1/plat/StringParameter.h"
#include "lib2/mui/MuButtonBar.h"
#include "lib2/mui/MuFactories.h"
#include "libs/smisc/AddPrincipalDialog.h"
#include "libs/smisc/NameResolverSystemAuth.h"
#include "libs/smisc/PermissionsSchemeSystemAuth.h"
#include "libs/sui/PermissionsEditorImpl.h"
#include "libs/svr/SAuthentication.h"
#include "tests/support/FakeMui.h"

namespace {

using gwtest::FakeDialog;

// The editor in a dialog of its own, finding `Permissions` in a private
// registry, as the application's dialog does with the global one.
struct Host : sui::PermissionsEditorImpl {
  Host() : PermissionsEditorImpl(nullptr) { dialog->registerObserver(this, true); }
  mui::MuDialog* getDialog() override { return dialog.get(); }
  plat::Configuration* getConfig() override { return &config; }
  void elementEvent(mui::MuElement* source, int code) override {
    mui::MuObserver::elementEvent(source, code);
    PermissionsEditorImpl::elementEvent(source, code);
  }

  plat::Configuration config{"test"};
  plat::StringParameter permissions{"Permissions", "", "", false, &config};
  std::unique_ptr<mui::MuDialog> dialog{
      mui::muDialog("perms", "T", plat::Point(400, 600), 0, nullptr, nullptr)};
};

// How the person answers the add dialog: which kind, what name, and OK.
struct Answer {
  bool group;
  const char* name;
  bool ok;
};

class PermissionsSchemeTest : public testing::Test {
 protected:
  void start(const char* value, int priority = 50) {
    host.permissions.setParam(value, priority);
    host.init(mui::muLayout(host.dialog.get(), "main", mui::MuLayout::Vertical));
    auto owned = std::make_unique<smisc::PermissionsSchemeSystemAuth>(&host);
    scheme = owned.get();
    host.addScheme(svr::SAuthSystem, std::move(owned));
    host.updateUi(scheme);
  }
  std::string rows() {
    std::string out;
    mui::MuList* list = host.getList();
    for (int r = 0; r < list->getRowCount(); r++)
      out += std::string(list->getCell(r, 0)) + " " + list->getCell(r, 1) + "; ";
    return out;
  }
  std::string stored() { return host.permissions.getValue(); }
  void pickRow(int row) {
    host.getList()->setSelectedRow(row);
    host.getList()->dispatchEvent(host.getList(), mui::MuEventChanged);
  }
  mui::MuElement* button(const char* id) {
    return host.getList()->getParent()->lookupElement((std::string("buttons.") + id).c_str());
  }
  bool usable(const char* id) { return gwtest::fake(button(id)).usable; }
  void click(const char* id) { button(id)->dispatchEvent(button(id), mui::MuEventClicked); }
  // Runs "Add..." with the person giving answer.
  void add(Answer answer) {
    FakeDialog::modalRun = [answer](FakeDialog& d) {
      auto* type = static_cast<gwtest::FakeChoice*>(d.lookupElement("main.type"));
      type->setText(type->items[answer.group ? 1 : 0].c_str());
      auto* name = static_cast<gwtest::FakeEdit*>(d.lookupElement("main.name"));
      name->setText(answer.name);
      name->dispatchEvent(name, mui::MuEventChanged);
      mui::MuElement* ok = d.lookupElement(answer.ok ? "main.buttons.ok" : "main.buttons.cancel");
      ASSERT_TRUE(ok);
      if (gwtest::fake(ok).usable) ok->dispatchEvent(ok, mui::MuEventClicked);
    };
    click("add");
  }
  void TearDown() override { FakeDialog::modalRun = nullptr; }

  loc::LocaleSetter english{"en_US"};
  gwtest::FakeMui backEnd;
  smisc::NameResolverSystemAuth resolver;
  bool installed = [this] {
    svr::SecurityPrincipal::resolver = &resolver;
    return true;
  }();
  Host host;
  smisc::PermissionsSchemeSystemAuth* scheme = nullptr;
};

TEST_F(PermissionsSchemeTest, ListsUsersBeforeGroupsWithTheirPicturesAndNothingSelected) {
  start("%staff:d,jsmith:v,*:v,%50:f");
  EXPECT_EQ(rows(), "user All users; user John Smith (jsmith); group 50 (=staff); group staff; ");
  EXPECT_EQ(host.getList()->getSelectedRow(), -1);
  EXPECT_TRUE(usable("add"));
  EXPECT_FALSE(usable("remove"));
}

TEST_F(PermissionsSchemeTest, SelectingARowShowsItsLevel) {
  start("%staff:d,jsmith:v");
  pickRow(0);
  EXPECT_STREQ(host.getChoice()->getText(), "View-only permissions");
  EXPECT_TRUE(usable("remove"));
}

TEST_F(PermissionsSchemeTest, AListThatDoesNotParseShowsNoRowsAndStaysStored) {
  start("jsmith:V");
  EXPECT_EQ(rows(), "");
  EXPECT_EQ(stored(), "jsmith:V");
}

TEST_F(PermissionsSchemeTest, AValueThatDoesNotParseIsNeverStoredOver) {
  start("jsmith:V");
  EXPECT_FALSE(usable("add"));
  add({false, "root", true});
  scheme->permissionChanged(0, 0);
  EXPECT_EQ(stored(), "jsmith:V");
  EXPECT_EQ(rows(), "");
}

TEST_F(PermissionsSchemeTest, AValueThatParsesEndsTheRefusal) {
  start("jsmith:V");
  host.permissions.setParam("jsmith:v", 50);
  host.updateUi(scheme);
  EXPECT_TRUE(usable("add"));
  add({false, "root", true});
  EXPECT_EQ(stored(), "jsmith:v,root:d");
}

TEST_F(PermissionsSchemeTest, ServerOwnerIsListedAndKeptWhenAPrincipalIsAdded) {
  start(":v,%:d");
  EXPECT_EQ(rows().rfind("user Zem Server owner [", 0), 0u) << rows();
  EXPECT_NE(rows().find("; group Unknown group (); "), std::string::npos) << rows();
  add({false, "jsmith", true});
  EXPECT_EQ(stored(), "jsmith:d,:v,%:d");
}

TEST_F(PermissionsSchemeTest, AddedPrincipalStartsNormalInItsSortedPlace) {
  start("%staff:d,root:v");
  add({false, "jsmith", true});
  EXPECT_EQ(stored(), "jsmith:d,root:v,%staff:d");
  EXPECT_EQ(host.getList()->getSelectedRow(), 0);
  EXPECT_STREQ(host.getChoice()->getText(), "Normal permissions");
}

TEST_F(PermissionsSchemeTest, TypedNumberIsStoredAsTheAccountName) {
  start("");
  add({false, "0", true});
  add({true, "50", true});
  EXPECT_EQ(stored(), "root:d,%staff:d");
}

TEST_F(PermissionsSchemeTest, UnknownNameIsAddedAsTyped) {
  start("");
  add({false, "bob", true});
  EXPECT_EQ(rows(), "user Unknown user (bob); ");
  EXPECT_EQ(stored(), "bob:d");
}

TEST_F(PermissionsSchemeTest, AddingAListedPrincipalSelectsItAndStoresNothing) {
  start("jsmith:v,root:f");
  add({false, "toor", true});
  EXPECT_EQ(host.getList()->getRowCount(), 2);
  EXPECT_EQ(host.getList()->getSelectedRow(), 1) << "toor is root's second name";
  EXPECT_EQ(stored(), "jsmith:v,root:f");
}

TEST_F(PermissionsSchemeTest, CancelAddsNothing) {
  start("jsmith:v");
  add({false, "root", false});
  FakeDialog::modalRun = nullptr;  // closed by the window manager
  click("add");
  EXPECT_EQ(stored(), "jsmith:v");
  EXPECT_EQ(host.getList()->getRowCount(), 1);
}

TEST_F(PermissionsSchemeTest, NamesTheListCannotHoldKeepOkDisabled) {
  start("");
  const Answer refused[] = {
      {false, "a,b", true}, {true, "a:b", true}, {false, "%x", true}, {false, "", true}};
  for (const Answer& a : refused) add(a);
  EXPECT_EQ(stored(), "") << "a name holding \",\" or \":\", or a user starting with \"%\"";
  add({true, "%x", true});
  add({false, " ", true});
  EXPECT_EQ(stored(), " :d,%%x:d") << "a group may start with \"%\"; blanks are a name";
}

TEST_F(PermissionsSchemeTest, RemovingTheOnlyPrincipalStoresAnEmptyList) {
  start("jsmith:v");
  pickRow(0);
  click("remove");
  EXPECT_EQ(stored(), "");
  EXPECT_EQ(host.getList()->getSelectedRow(), -1);
  EXPECT_FALSE(usable("remove"));
}

TEST_F(PermissionsSchemeTest, PolicyValueAllowsNoAddOrRemove) {
  start("jsmith:v,nogecos:d", 0);
  pickRow(1);
  EXPECT_FALSE(usable("add"));
  EXPECT_FALSE(usable("remove"));
  EXPECT_TRUE(host.getChoice()->isAnyLocked());
}

TEST_F(PermissionsSchemeTest, ALevelPickIsStoredAtOnce) {
  start("jsmith:v");
  pickRow(0);
  auto* choice = static_cast<gwtest::FakeChoice*>(host.getChoice());
  choice->setText(choice->items[sui::PermissionsEditorImpl::Admin].c_str());
  EXPECT_EQ(stored(), "jsmith:f");
  EXPECT_EQ(host.permissions.getPriority(), 50);
}

}  // namespace
