// One run of the real grantwell on a Desktop, driven as a person would and
// observed from outside: through its standard output and error (with the
// layout dumps, LayoutDump.h), its exit status and the X server.
//
// The tool runs with a private HOME of its own. As root it runs as the
// unprivileged user 65534 (setpriv), since root's HOME always comes from the
// user database; its executable is then copied into a folder that user can
// enter, as the build tree may lie in one it cannot.
//
// Every wait ends on the event it waits for (a line of output, the tool's
// end, an X event) or fails the test after a time-out; none sleeps.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/Child.h"
#include "tests/e2e/Desktop.h"
#include "tests/e2e/LayoutDump.h"
#include "tests/support/TempDir.h"

namespace e2e {

// The ids the tool's dialogs and main controls have in the dumps.
namespace ids {
inline const char kMain[] = "grantwell";
inline const char kAdd[] = "unixauth_add";
inline const char kMessageBox[] = "messagebox";
inline const char kList[] = "main.split.list";
inline const char kAddButton[] = "main.split.buttons.add";
inline const char kRemoveButton[] = "main.split.buttons.remove";
inline const char kChoice[] = "main.settings.l.permset.choice";
inline const char kRefreshText[] = "main.tl.refreshtext";
inline const char kRefreshUi[] = "main.tl.refreshui";
inline const char kBox[] = "main.permissionstring";
inline const char kAbout[] = "main.layout.aboutLink";
// The Allow (or Deny) tick of a permission letter.
std::string tick(char letter, bool deny = false);
}  // namespace ids

class Session {
 public:
  // Time-out of every wait, generous for the sanitizer build.
  static constexpr int kTimeoutMs = 30000;

  explicit Session(Desktop& desktop);
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Starts the tool with args; with dump, the layout dumps are asked for on
  // the command line. display empty: the desktop's.
  void start(const std::vector<std::string>& args, bool dump = true,
             const std::string& display = "");
  Child& tool() { return *tool_; }
  const std::string& home() const { return home_; }
  // The uid the tool runs as.
  uid_t user() const;

  // Serves the tool's output and the X events until done() holds, or fails
  // the test naming what and returns false at the time-out. extra is served
  // too (a clipboard program, say).
  bool waitUntil(const std::function<bool()>& done, const std::string& what,
                 Child* extra = nullptr);
  // The tool's exit status; fails the test and returns -3 after a time-out.
  int waitExit();

  // The last dump of a dialog; null before the first.
  const Dump* latest(const std::string& dialog) const { return dumps_.latest(dialog); }
  // Waits for a dump of the dialog, shown on the screen, that satisfies
  // pred.
  bool waitDump(const std::string& dialog, const std::function<bool(const Dump&)>& pred,
                const std::string& what);
  // The full id of the dialog's first element whose id ends in suffix (a
  // button of a button bar, say); "" when none does.
  std::string idEnding(const std::string& dialog, const std::string& suffix) const;
  // The element of the last dump of the dialog (an empty one when missing).
  Element element(const std::string& id, const std::string& dialog = ids::kMain) const;

  // Clicks the middle of the element once the dialog shows it usable.
  bool click(const std::string& id, const std::string& dialog = ids::kMain);
  // Clicks the row of the main list once it is in view.
  bool clickRow(int row);
  // Picks the choice's last item from its popup menu: the pointer on the
  // arrow, then on the menu's last row; returns once the menu has closed
  // and let go of the pointer.
  bool pickLastLevel();
  // Keys pressed and typed once the dialog's window has the keyboard focus
  // (the window manager gives it a moment after a click).
  bool key(KeySym keysym, const std::vector<KeySym>& modifiers = {},
           const std::string& dialog = ids::kMain);
  bool type(const std::string& text, const std::string& dialog = ids::kMain);
  // Gives the permission box the focus, with a click when it has not: the
  // window manager holds a click back a moment (it focuses the window
  // first), so keys wait until the click has arrived.
  bool focusBox();
  // Empties the permission box, types text into it and waits until the box
  // shows it.
  bool typeIntoBox(const std::string& text);
  // Clicks "Refresh Parameter" and waits until the box shows the text; a box
  // that shows it already is emptied first, so the text seen is the click's.
  bool refreshParameterShows(const std::string& text);
  // Waits until the main list has rows rows, with row selected selected and
  // its level shown in the level choice, which can be used, as Remove can.
  bool waitSelected(size_t rows, int selected, const std::string& level);
  // The texts of the main list's rows, without their images.
  std::vector<std::string> rowTexts() const;

  // Runs argv (looked for on PATH) on the desktop to its end; its output.
  std::string run(const std::vector<std::string>& argv);
  // What the tool and the programs beside it run with: the display, the
  // private HOME, English texts, and the sanitizers' options of the tests.
  std::vector<std::string> environment(const std::string& display) const;

  Desktop& desktop() { return desktop_; }
  // The tool's main window, from its dumps; 0 before the first.
  Window mainWindow() const;

 private:
  // On the screen, at the size the dialog's last dump was made for.
  bool viewable(const std::string& dialog);

  Desktop& desktop_;
  gwtest::TempDir dir_;
  std::string exe_;
  std::string home_;
  std::unique_ptr<Child> tool_;
  LayoutDumps dumps_;
  // The lines of standard error that are no dump lines.
  std::vector<std::string> said_;
};

}  // namespace e2e
