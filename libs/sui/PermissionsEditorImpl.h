// sui::PermissionsEditorImpl: the permissions editor. Given a box layout it
// builds a list of principals with a column of scheme buttons beside it, and
// a "Permissions" frame with a level choice and one row of Allow and Deny
// ticks per feature letter. It edits, in place, the svr::Permissions set the
// current scheme hands out for the selected row, and tells the scheme after
// every change so that the scheme stores it at once.
//
// The host registers the editor as an observer of its dialog. elementEvent
// here handles only the list's double click, so a host's own elementEvent
// runs mui::MuObserver's dispatch first and then this one.
//
// Invariants:
//  - list rows schemeStartIndex_ .. schemeEndIndex_ - 1 are the scheme's
//    principals in scheme-index order;
//  - current_ points into a set owned by the scheme while a principal row is
//    selected, and is null otherwise: a removed principal takes its set with
//    it, and nothing may write there afterwards;
//  - while no row is selected every control of the settings frame is
//    disabled; a selected row enables the containers of the choice and the
//    ticks, so that they take pointer and focus again.
//
// A host page with a global-permissions row and a guest row implements
// Callback; an editor without a callback has no special rows, and
// selecting GLOBAL there selects no row at all. The dialog elements belong
// to the dialog tree; the editor owns only its schemes.
#pragma once

#include <map>
#include <memory>

#include "lib2/mui/MuObserver.h"
#include "libs/sui/PermissionsScheme.h"
#include "libs/sui/PermissionsSchemeEditor.h"
#include "libs/svr/SAuthentication.h"

namespace svr {
class Permissions;
}

namespace mui {
class MuCheck;
class MuChoice;
class MuElement;
class MuFrame;
class MuLayout;
class MuList;
class MuStatic;
}  // namespace mui

namespace sui {

// True for the letters the editor adds by itself: s, k, p, c and q.
bool isStandardPerm(char letter);

class PermissionsEditorImpl : public mui::MuObserver, public PermissionsSchemeEditor {
 public:
  // The "Global permissions" row.
  static constexpr int GLOBAL = -1;
  // The extra-verifier (guest) row.
  static constexpr int GUEST = -2;

  class Callback {
   public:
    // The host refreshes the editor's controls for the current row and
    // lays its page out again.
    virtual void updateSelection(bool resetChoice) = 0;
    // Whether the named configuration parameter is set by policy.
    virtual bool isParamPolicy(const char* paramName) = 0;
    // The link in the editor's information frame was clicked.
    virtual void authInfoInvoked() = 0;
    // The global set, edited in place; setGlobalPerms() stores it.
    virtual svr::Permissions* getGlobalPerms() = 0;
    virtual void setGlobalPerms() = 0;
    // Whether the guest row exists.
    virtual bool hasExtraVerifier() = 0;
    // The guest row's set, edited in place; locked may be null.
    virtual svr::Permissions* getExtraVerifierPerms(bool* locked) = 0;
    // *name becomes a new display text for the guest row, array-new'd as
    // plat::strDup makes it; the caller adopts it (plat::String::adopt).
    virtual void getExtraVerifierName(char** name, bool* allowsAccess) = 0;
    virtual ~Callback();
  };

  // The level choice's item ids; the choice is set and read by id.
  enum Level { NoAccess = 0, ViewOnly = 1, Normal = 2, Admin = 3, Custom = 4 };

  // The rows of a host page are not built by this editor: callback must be
  // null.
  explicit PermissionsEditorImpl(Callback* callback);
  ~PermissionsEditorImpl() override;
  PermissionsEditorImpl(const PermissionsEditorImpl&) = delete;
  PermissionsEditorImpl& operator=(const PermissionsEditorImpl&) = delete;

  // Builds the element tree in layout, once.
  void init(mui::MuLayout* layout);
  // Takes ownership; a second scheme for the same kind replaces the first,
  // and when the first is on show the list is left empty.
  void addScheme(svr::SAuthentication kind, std::unique_ptr<PermissionsScheme> scheme);
  // Rebuilds the list for scheme (null: no scheme), which must be one of the
  // added schemes.
  void updateUi(PermissionsScheme* scheme);
  // The tick row of one registered feature letter, before "q" if it exists.
  void addPermission(char letter);
  // Refreshes the settings controls for the selected row; resetChoice
  // re-reads the level from the set.
  void updateSelection(bool resetChoice);
  void doUpdateSelection(bool resetChoice);
  void disableControls();
  // Refills the level choice; "No access" only when withNoAccess.
  void updatePermissionChoice(bool withNoAccess);
  bool hasPolicySettings() const;

  // mui::MuObserver
  void elementEvent(mui::MuElement* source, int code) override;
  void elementClicked(mui::MuElement* source) override;
  void elementChanged(mui::MuElement* source) override;

  // PermissionsSchemeEditor
  void showHelp(const char* text) override;
  void addButton(const char* id, const char* label, const char* tip) override;
  void enableButton(const char* id, bool enable, const char* focusId) override;
  void addPrincipal(int index, const char* name, const char* image) override;
  void removePrincipal(int index) override;
  void selectPrincipal(int index) override;
  int getCurrentPrincipalIndex() override;

  mui::MuList* getList() const { return list_; }
  mui::MuChoice* getChoice() const { return choice_; }
  // The Allow (deny false) or Deny tick of letter, or null without a row.
  mui::MuCheck* getTick(char letter, bool deny) const;

 private:
  // A tick of some row, with the row's letter; 0 when source is none.
  char tickLetter(mui::MuElement* source) const;
  void changeLevel(int row);
  void changeTick(int row, char letter, mui::MuCheck* tick, bool deny);
  void store(int row, char letter);
  bool isPrincipalRow(int row) const { return row >= schemeStartIndex_ && row < schemeEndIndex_; }

  Callback* callback_;
  mui::MuLayout* layout_ = nullptr;
  mui::MuList* list_ = nullptr;
  mui::MuLayout* buttons_ = nullptr;
  mui::MuLayout* settingsLayout_ = nullptr;
  mui::MuFrame* settings_ = nullptr;
  mui::MuLayout* permset_ = nullptr;
  int tickColumnWidth_ = 0;
  mui::MuChoice* choice_ = nullptr;
  mui::MuLayout* permcustom_ = nullptr;
  mui::MuStatic* customHelp_ = nullptr;
  svr::Permissions* current_ = nullptr;
  std::map<svr::SAuthentication, std::unique_ptr<PermissionsScheme>> schemes_;
  PermissionsScheme* scheme_ = nullptr;
  int schemeStartIndex_ = 0;
  int schemeEndIndex_ = 0;
};

}  // namespace sui
