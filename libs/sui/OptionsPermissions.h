// sui::OptionsPermissions: the users-and-permissions page of a server's
// configuration dialog. It hosts a permissions editor built in the page's
// layout, is the face the editor's schemes talk to, and is the editor's
// callback: the "Global permissions" row switches whole features on and off
// through the server parameters each feature names, an optional guest row
// holds the permissions of an extra verifier, and a banner names the
// server's authentication scheme with a link to the "security" page.
//
// Everything is read from and written to the configuration the dialog
// edits, at once and at priority 50, as the person edits; there is no
// separate store step. A feature whose parameters disagree shows
// indeterminate on the global row and is left alone until it is ticked.
//
// Whoever builds the page hands the editor its schemes (getEditor()
// .addScheme), one per kind of authentication, each made with this page as
// its editor face; the page shows the scheme of the configured kind, the
// single-sign-on kind counting as system authentication.
//
// Invariants: the editor and the effective permissions dialog, once made,
// live exactly as long as the page; the guest row exists only while a guest
// parameter is named. A guest text that does not parse is never written
// over from this page: the row shows it as an empty, locked set.
#pragma once

#include <memory>

#include "lib1/plat/String.h"
#include "lib2/mui/MuConfigSection.h"
#include "libs/sui/EffectivePermissionsDialog.h"
#include "libs/sui/PermissionsEditorImpl.h"
#include "libs/sui/PermissionsSchemeEditor.h"
#include "libs/svr/Permissions.h"
#include "libs/svr/SAuthentication.h"

namespace plat {
class ConfigParameter;
}

namespace sui {

class OptionsPermissions : public mui::MuConfigSection,
                           public PermissionsSchemeEditor,
                           public PermissionsEditorImpl::Callback {
 public:
  // A page of order 50; title may be null. Builds the editor in the
  // section's layout with a tick row for every registered feature.
  OptionsPermissions(mui::MuConfigDialog* dialog, mui::MuConfigSection* parent, const char* id,
                     const char* title);
  ~OptionsPermissions() override;

  // Names the guest row's parameters: param holds its permission text,
  // nameParam the guest account's name, shown after label. A null param
  // takes the row away; the next updateUi shows the change.
  void setExtraVerifier(const char* param, const char* nameParam, const char* label);

  // Shows set in the effective permissions dialog, made on first use.
  void showEffectivePermissions(const svr::Permissions& set);
  // Null until the first showEffectivePermissions.
  EffectivePermissionsDialog* getEffectiveDialog() const { return effectiveDialog_.get(); }

  PermissionsEditorImpl& getEditor() { return editor_; }
  // The scheme of the configured authentication, or null.
  PermissionsScheme* getScheme();

  // mui::MuObserver: the default dispatch and then the editor's own.
  void elementEvent(mui::MuElement* source, int code) override;
  void elementClicked(mui::MuElement* source) override;
  void elementChanged(mui::MuElement* source) override;

  // mui::MuConfigSection
  bool hasPolicySettings() const override;
  // Rebuilds the list for the configured scheme and says in the banner
  // which scheme that is.
  void updateUi() override;
  // True for an authentication no scheme recognises; else every scheme of
  // the editor must accept.
  bool validate() override;

  // PermissionsSchemeEditor: the dialog holding the page and the
  // configuration it edits; the rest goes to the editor.
  mui::MuDialog* getDialog() override;
  plat::Configuration* getConfig() override;
  void showHelp(const char* text) override;
  void addButton(const char* id, const char* label, const char* tip) override;
  void enableButton(const char* id, bool enable, const char* focusId) override;
  void addPrincipal(int index, const char* name, const char* image) override;
  void removePrincipal(int index) override;
  void selectPrincipal(int index) override;
  int getCurrentPrincipalIndex() override;

  // PermissionsEditorImpl::Callback
  void updateSelection(bool resetChoice) override;
  bool isParamPolicy(const char* name) override;
  // Shows the dialog's "security" page, when it has one.
  void authInfoInvoked() override;
  svr::Permissions* getGlobalPerms() override;
  void setGlobalPerms() override;
  bool hasExtraVerifier() override { return extraParam_.get() != nullptr; }
  svr::Permissions* getExtraVerifierPerms(bool* locked) override;
  void setExtraVerifierPerms() override;
  void getExtraVerifierName(char** name, bool* allowsAccess) override;

 private:
  // The configured authentication, single sign-on counted as system
  // authentication; SAuthInvalid while no configuration is attached.
  svr::SAuthentication configuredKind() const;
  // The parameter of that name in the configuration under edit, or null.
  plat::ConfigParameter* param(const char* name) const;
  // Whether name exists and policy sets its value.
  bool policySets(const char* name) const;
  // Parses the guest parameter's text into set; false (set left empty,
  // the failure logged) for a text that does not parse.
  bool readExtraPerms(svr::Permissions* set) const;

  svr::Permissions globalPerms_;
  svr::Permissions extraPerms_;
  plat::String extraParam_;
  plat::String extraNameParam_;
  plat::String extraLabel_;
  PermissionsEditorImpl editor_;
  std::unique_ptr<EffectivePermissionsDialog> effectiveDialog_;
};

}  // namespace sui
