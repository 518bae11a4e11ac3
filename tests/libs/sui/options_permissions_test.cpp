#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>

#include "lib2/mui/MuConfigDialog.h"
#include "lib2/mui/Mui.h"
#include "tests/libs/sui/OptionsPageParts.h"
#include "tests/support/FakeMui.h"

namespace {

using sui::PermissionsEditorImpl;

constexpr int kPolicy = plat::ConfigParameter::PRIORITY_POLICY;
constexpr int kPreference = plat::ConfigParameter::PRIORITY_PREFERENCE;

class OptionsPermissionsTest : public testing::Test,
                               public suitest::OptionsPageParts<gwtest::FakeMui> {
 protected:
  mui::MuElement* at(const char* path) {
    mui::MuElement* e = page->getLayout()->lookupElement(path);
    if (!e) throw std::runtime_error(path);
    return e;
  }
  // The global row's box of a feature: 0 clear, 1 ticked, 2 indeterminate.
  gwtest::FakeCheck* box(char letter) {
    return static_cast<gwtest::FakeCheck*>(
        at(("settings.l.global." + std::string(1, letter)).c_str()));
  }
  std::string boxes() {
    std::string out;
    for (char c : {'k', 'p', 'c', 'h'}) out += std::to_string(box(c)->state);
    return out;
  }
  mui::MuList* list() { return page->getEditor().getList(); }
  void pickRow(int row) {
    list()->setSelectedRow(row);
    list()->dispatchEvent(list(), mui::MuEventChanged);
  }
  void pickLevel(int id) {
    auto* choice = static_cast<gwtest::FakeChoice*>(page->getEditor().getChoice());
    choice->setText(choice->items[id].c_str());
  }
  std::string rowText(int row) { return list()->getCell(row, 1); }
  std::string banner() {
    mui::MuFrame* frame = dialog->getPolicyBanner().getFrame();
    if (!gwtest::fake(frame).shown) return "";
    return frame->lookupElement("split.textLayout.text")->getLabel();
  }
  std::string info() {
    if (!gwtest::fake(at("info")).shown) return "";
    return std::string(at("info.split.textLayout.text")->getLabel()) + " | " +
           at("info.split.textLayout.link")->getLabel();
  }
  bool applyEnabled() {
    return !(dialog->getButtonBar().lookupButton(mui::MuButtonBar::Apply)->getFlags() &
             mui::MuElement::Disabled);
  }
  void guestRow() {
    page->setExtraVerifier("GuestPermissions", "GuestName", "Guest account");
    dialog->show(nullptr);
  }
};

TEST_F(OptionsPermissionsTest, TheGlobalRowShowsEachFeatureAsItsParametersAgree) {
  const struct {
    const char* name;
    const char* off;  // parameters set false at priority 50
    const char* boxes;
  } cases[] = {
      {"all on", "", "1111"},
      {"keys off", "AcceptKeyEvents", "0111"},
      {"clipboard in only", "SendCutText", "1121"},
      {"clipboard off both ways", "AcceptCutText,SendCutText", "1101"},
      {"chat off", "EnableChat", "1110"},
  };
  for (const auto& c : cases) {
    for (const char* name : {"AcceptKeyEvents", "SendCutText", "AcceptCutText", "EnableChat"})
      server.stored.get(name)->setParam(strstr(c.off, name) ? "0" : "1", kPreference);
    build();
    dialog->show(nullptr);
    EXPECT_EQ(page->getCurrentPrincipalIndex(), PermissionsEditorImpl::GLOBAL) << c.name;
    EXPECT_EQ(boxes(), c.boxes) << c.name;
  }
}

TEST_F(OptionsPermissionsTest, AFeatureWhoseParameterIsMissingCountsAsOn) {
  plat::Configuration lean("Lean");
  plat::StringParameter types{"SecurityTypes", "Types", "<auto>", false, &lean};
  plat::StringParameter auth{"Authentication", "Scheme", "None", false, &lean};
  gwtest::TestConfigDialog bare(&lean);
  bare.attach();
  auto* alone = new sui::OptionsPermissions(&bare, nullptr, "permissions", "Permissions");
  bare.addSection(alone);
  bare.show(nullptr);
  EXPECT_EQ(alone->getGlobalPerms()->getString(), std::string("chkpqrst"));
}

// A box left indeterminate leaves its parameters as they disagree; a box
// ticked writes every parameter of its feature, at priority 50.
TEST_F(OptionsPermissionsTest, AGlobalBoxWritesItsFeaturesParametersAtPriority50) {
  server.stored.get("SendCutText")->setParam("0", kPreference);
  build();
  dialog->show(nullptr);
  box('k')->click();
  EXPECT_EQ(value("AcceptKeyEvents"), "0");
  EXPECT_EQ(priority("AcceptKeyEvents"), kPreference);
  EXPECT_EQ(value("AcceptCutText") + value("SendCutText"), "10") << "left indeterminate";
  EXPECT_EQ(boxes(), "0121");
  EXPECT_TRUE(applyEnabled());
  box('c')->click();
  EXPECT_EQ(value("AcceptCutText") + value("SendCutText"), "11");
  EXPECT_EQ(boxes(), "0111");
  // Nothing reaches the stored configuration before OK or Apply.
  EXPECT_STREQ(plat::String::adopt(server.keys.getValueStr()).get(), "1");
}

TEST_F(OptionsPermissionsTest, APolicyValueLocksItsBoxAndShowsTheBanner) {
  build();
  dialog->show(nullptr);
  EXPECT_EQ(banner(), "");
  server.stored.get("EnableChat")->setParam("1", kPolicy);
  build();
  dialog->show(nullptr);
  EXPECT_TRUE(box('h')->getFlags() & mui::MuElement::Locked);
  EXPECT_FALSE(box('k')->getFlags() & mui::MuElement::Locked);
  EXPECT_EQ(banner(), "Some settings on this page are controlled by your system administrator.");
}

TEST_F(OptionsPermissionsTest, PrincipalsAreEditedThroughTheEditorIntoTheirScheme) {
  build();
  dialog->show(nullptr);
  EXPECT_EQ(rowText(1) + "," + rowText(2), "alice,staff");
  pickRow(1);
  pickLevel(PermissionsEditorImpl::Admin);
  EXPECT_EQ(value("Permissions"), "alice:f,staff:d");
  EXPECT_EQ(priority("Permissions"), kPreference);
  EXPECT_TRUE(applyEnabled());
  dialog->getButtonBar()
      .lookupButton(mui::MuButtonBar::Ok)
      ->dispatchEvent(dialog->getButtonBar().lookupButton(mui::MuButtonBar::Ok),
                      mui::MuEventClicked);
  EXPECT_STREQ(plat::String::adopt(server.permissions.getValueStr()).get(), "alice:f,staff:d");
}

TEST_F(OptionsPermissionsTest, TheBannerNamesTheConfiguredAuthentication) {
  const char* link = " | Change this on the Security page";
  const struct {
    const char* name;
    const char* types;
    const char* auth;
    std::string info;
    int rows;
  } cases[] = {
      {"system", "<auto>", "SystemAuth",
       std::string("The authentication scheme is UNIX password.") + link, 3},
      {"single sign-on", "<auto>", "SingleSignOn,SystemAuth",
       std::string("The authentication scheme is Single sign-on.") + link, 3},
      {"no scheme for it", "<auto>", "ZemAuth",
       std::string("Zem Server is using custom authentication.") + link, 1},
      {"none", "<auto>", "None", std::string("Zem Server is not password-protected.") + link, 1},
      {"explicit types", "RA2", "None",
       std::string("Zem Server is using custom authentication.") + link, 1},
  };
  for (const auto& c : cases) {
    server.securityTypes.setParam(c.types, kPreference);
    server.authentication.setParam(c.auth, kPreference);
    build();
    dialog->show(nullptr);
    EXPECT_EQ(info(), c.info) << c.name;
    EXPECT_EQ(list()->getRowCount(), c.rows) << c.name;
    EXPECT_EQ(page->getCurrentPrincipalIndex(), PermissionsEditorImpl::GLOBAL) << c.name;
  }
}

// Without a security page the link used to jump to the first page.
TEST_F(OptionsPermissionsTest, TheLinkShowsTheSecurityPageWhenThereIsOne) {
  build();
  auto* first = new mui::MuConfigSection(dialog.get(), nullptr, "general", "General", 10);
  dialog->addSection(first);
  dialog->show("permissions");
  mui::MuElement* link = at("info.split.textLayout.link");
  link->dispatchEvent(link, mui::MuEventClicked);
  EXPECT_EQ(dialog->getCurrentSection(), page);
  auto* security = new mui::MuConfigSection(dialog.get(), nullptr, "security", "Security", 60);
  dialog->addSection(security);
  link->dispatchEvent(link, mui::MuEventClicked);
  EXPECT_EQ(dialog->getCurrentSection(), security);
}

TEST_F(OptionsPermissionsTest, ValidationAsksEverySchemeAndNamesTheOneInUse) {
  const struct {
    const char* name;
    const char* auth;
    bool zemAccepts;
    const char* asked;  // the Zem scheme's answers, then the system one's
    bool valid;
  } cases[] = {
      {"system in use", "SystemAuth", true, "o|C", true},
      {"single sign-on counts as system", "SingleSignOn,SystemAuth", true, "o|C", true},
      {"zem in use", "ZemAuth", true, "C|o", true},
      {"a refusal ends the walk", "SystemAuth", false, "o|", false},
      {"nothing recognised", "Other", false, "|", true},
  };
  for (const auto& c : cases) {
    server.authentication.setParam(c.auth, kPreference);
    build();
    auto zem = std::make_unique<suitest::ParamScheme>(page);
    suitest::ParamScheme* zemScheme = zem.get();
    zemScheme->accept = c.zemAccepts;
    page->getEditor().addScheme(svr::SAuthZem, std::move(zem));
    EXPECT_EQ(page->validate(), c.valid) << c.name;
    EXPECT_EQ(zemScheme->asked + "|" + scheme->asked, c.asked) << c.name;
  }
}

// The row used to say "disabled" until it was first selected, whatever the
// guest was allowed.
TEST_F(OptionsPermissionsTest, TheGuestRowNamesTheGuestAndWhetherItMayConnect) {
  const struct {
    const char* name;
    const char* perms;
    const char* account;
    const char* row;
  } cases[] = {
      {"allowed", "d", "bob", "Guest account (bob)"},
      {"nothing granted", "", "bob", "Guest account (bob) - disabled"},
      {"denied view", "!s", "bob", "Guest account (bob) - disabled"},
      {"no account name", "v", "", "Guest account (blank username)"},
  };
  for (const auto& c : cases) {
    server.guest.setParam(c.perms, kPreference);
    server.guestName.setParam(c.account, kPreference);
    build();
    guestRow();
    EXPECT_EQ(rowText(3), c.row) << c.name;
  }
}

TEST_F(OptionsPermissionsTest, TheGuestsLevelIsWrittenToItsParameter) {
  build();
  guestRow();
  pickRow(3);
  EXPECT_EQ(page->getCurrentPrincipalIndex(), PermissionsEditorImpl::GUEST);
  pickLevel(PermissionsEditorImpl::ViewOnly);
  EXPECT_EQ(value("GuestPermissions"), "v");
  EXPECT_EQ(priority("GuestPermissions"), kPreference);
  EXPECT_EQ(rowText(3), "Guest account (bob)");
  pickLevel(PermissionsEditorImpl::NoAccess);
  EXPECT_EQ(value("GuestPermissions"), "");
  EXPECT_EQ(rowText(3), "Guest account (bob) - disabled");
}

// Shown as an empty set, such a text used to be replaced by the next edit,
// and the administrator's text lost.
TEST_F(OptionsPermissionsTest, TheGuestRowIsLockedWhileAnEditCouldNotBeStored) {
  server.guest.setParam("d?x", kPreference);
  build();
  guestRow();
  pickRow(3);
  EXPECT_TRUE(page->getEditor().getChoice()->getFlags() & mui::MuElement::Locked);
  pickLevel(PermissionsEditorImpl::Admin);
  EXPECT_EQ(value("GuestPermissions"), "d?x");
  EXPECT_EQ(rowText(3), "Guest account (bob) - disabled");
  // Put right elsewhere, it is the page's to edit again.
  dialog->getConfig()->set("GuestPermissions", "v", kPreference);
  pickRow(0);
  pickRow(3);
  EXPECT_FALSE(page->getEditor().getChoice()->getFlags() & mui::MuElement::Locked);
  pickLevel(PermissionsEditorImpl::Admin);
  EXPECT_EQ(value("GuestPermissions"), "f");
  // Nor is a guest parameter the server lacks any place for an edit.
  page->setExtraVerifier("NoSuchParameter", "GuestName", "Guest account");
  dialog->updateUi();
  pickRow(3);
  EXPECT_TRUE(page->getEditor().getChoice()->getFlags() & mui::MuElement::Locked);
}

TEST_F(OptionsPermissionsTest, TheEffectivePermissionsDialogIsMadeOnceAndGoesWithThePage) {
  build();
  const auto& live = mui::Mui::get()->getDialogs();
  size_t before = live.size();
  EXPECT_EQ(page->getEffectiveDialog(), nullptr);
  page->showEffectivePermissions(svr::Permissions("v"));
  sui::EffectivePermissionsDialog* shown = page->getEffectiveDialog();
  ASSERT_NE(shown, nullptr);
  page->showEffectivePermissions(svr::Permissions("f"));
  EXPECT_EQ(page->getEffectiveDialog(), shown);
  EXPECT_EQ(live.size(), before + 1);
  dialog.reset();
  EXPECT_EQ(live.size(), before - 1) << "the configuration dialog and the effective one";
}

}  // namespace
