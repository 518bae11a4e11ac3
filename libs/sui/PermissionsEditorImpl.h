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
// Two kinds of host. An editor without a callback (the permissions dialog)
// shows the scheme's principals from list row 0, and selecting GLOBAL there
// selects no row at all. A host page passes a Callback and gets two rows of
// its own around the scheme's: row 0, "Global permissions", whose ticks
// switch whole features on or off through the callback; and, when the
// callback has an extra verifier, a guest row right after the scheme's
// last principal, whose set the callback holds and for which "No access"
// is offered. The page also gets an information frame above the settings
// and a help line at the top of them.
//
// Invariants:
//  - list rows schemeStartIndex_ .. schemeEndIndex_ - 1 are the scheme's
//    principals in scheme-index order; schemeStartIndex_ is 1 with a
//    callback (row 0 is the global row), else 0; the guest row, when there
//    is one, is row schemeEndIndex_ and moves with it;
//  - current_ points into a set owned by the scheme (principal rows) or the
//    callback (global and guest rows) while such a row is selected, and is
//    null otherwise: a removed principal takes its set with it, and nothing
//    may write there afterwards;
//  - while no row is selected every control of the settings frame is
//    disabled; a selected row enables the containers of its controls, so
//    that they take pointer and focus again.
//
// The dialog elements belong to the dialog tree; the editor owns its
// schemes and the information frame, which may outlive the dialog.
#pragma once

#include <map>
#include <memory>

#include "lib2/mui/Forward.h"
#include "lib2/mui/MuInfoFrame.h"
#include "lib2/mui/MuObserver.h"
#include "libs/sui/PermissionsScheme.h"
#include "libs/sui/PermissionsSchemeEditor.h"
#include "libs/svr/SAuthentication.h"

namespace svr {
class Permissions;
}

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
    // Every refresh of the editor comes here: the host calls the editor's
    // updateSelection(resetChoice), then lays its page out again.
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
    // setExtraVerifierPerms() stores it.
    virtual svr::Permissions* getExtraVerifierPerms(bool* locked) = 0;
    virtual void setExtraVerifierPerms() = 0;
    // *name becomes a new display text for the guest row, array-new'd as
    // plat::strDup makes it; the caller adopts it (plat::String::adopt).
    virtual void getExtraVerifierName(char** name, bool* allowsAccess) = 0;
    virtual ~Callback();
  };

  // The level choice's item ids; the choice is set and read by id.
  enum Level { NoAccess = 0, ViewOnly = 1, Normal = 2, Admin = 3, Custom = 4 };

  // callback: the host page, not owned, or null for a host without the
  // global and guest rows.
  explicit PermissionsEditorImpl(Callback* callback);
  ~PermissionsEditorImpl() override;
  PermissionsEditorImpl(const PermissionsEditorImpl&) = delete;
  PermissionsEditorImpl& operator=(const PermissionsEditorImpl&) = delete;

  // Builds the element tree in layout, once.
  void init(mui::MuLayout* layout);
  // Takes ownership; a second scheme for the same kind replaces the first,
  // and when the first is on show the list is left empty.
  void addScheme(svr::SAuthentication kind, std::unique_ptr<PermissionsScheme> scheme);
  // The scheme added for kind, or null.
  PermissionsScheme* getScheme(svr::SAuthentication kind) const;
  // Asks every scheme, in kind order, whether its settings may be
  // accepted, telling the one for current that it is the one in use; false
  // at the first refusal.
  bool validateSchemes(svr::SAuthentication current);
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
  // Asks the callback for the guest row's name and access again; nothing
  // without a guest row.
  void updateExtraEntry();
  // Shows the information frame's banner (a null text hides it); nothing
  // without a callback, which alone has the frame.
  void updateAuthInfo(mui::MuInfoFrame::Style style, const char* text, const char* linkText);
  bool hasPolicySettings() const;

  // mui::MuObserver
  void elementEvent(mui::MuElement* source, int code) override;
  void elementClicked(mui::MuElement* source) override;
  void elementChanged(mui::MuElement* source) override;

  // PermissionsSchemeEditor. The indices are scheme indices, or GLOBAL and
  // GUEST with a callback. getCurrentPrincipalIndex gives -1 also while no
  // row is selected.
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
  // A box of the global row, with its letter; 0 when source is none.
  char globalLetter(mui::MuElement* source) const;
  void showGlobalRow();
  void changeGlobal(char letter, mui::MuCheck* box);
  void changeLevel(int row);
  void changeTick(int row, char letter, mui::MuCheck* tick, bool deny);
  void store(int row, char letter);
  void addPrincipalRow(int row, const char* text, const char* image);
  bool isPrincipalRow(int row) const { return row >= schemeStartIndex_ && row < schemeEndIndex_; }
  bool isGlobalRow(int row) const { return callback_ && row == 0; }
  bool isGuestRow(int row) const { return guestRow_ && row == schemeEndIndex_; }

  Callback* callback_;
  mui::MuLayout* layout_ = nullptr;
  // With a callback only: the banner, the help line, the global row's
  // boxes and the help under them.
  std::unique_ptr<mui::MuInfoFrame> infoFrame_;
  mui::MuStatic* help_ = nullptr;
  mui::MuLayout* global_ = nullptr;
  mui::MuStatic* globalHelp_ = nullptr;
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
  // Whether updateUi added the guest row: the rows stay as they were built
  // even if the callback's answer changes meanwhile.
  bool guestRow_ = false;
};

}  // namespace sui
