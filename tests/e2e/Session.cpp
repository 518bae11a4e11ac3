#include "tests/e2e/Session.h"

#include <X11/keysym.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace e2e {

namespace {

// The account the tool runs as when the tests run as root.
constexpr uid_t kUser = 65534;

std::string summary(const Dump* d) {
  std::string s = d->dialog + ", dump " + std::to_string(d->serial) + " for " +
                  std::to_string(d->width) + "x" + std::to_string(d->height) + ":";
  for (const Element& e : d->elements) {
    if (e.kind == "layout" || e.kind == "static" || !e.shown) continue;
    s += "\n  " + e.id + " " + e.kind + (e.enabled ? "" : " (disabled)");
    for (const auto& [k, v] : e.fields) s += " " + k + "=" + v.substr(0, 80);
    for (const Row& r : e.rows) s += "\n    row " + std::to_string(r.index) + " " + r.text;
  }
  return s;
}

}  // namespace

std::string ids::tick(char letter, bool deny) {
  return std::string("main.settings.l.permcustom.") + letter + (deny ? ".deny" : ".allow") +
         ".check";
}

Session::Session(Desktop& desktop) : desktop_(desktop) {
  chmod(dir_.path().c_str(), 0755);
  exe_ = dir_.file("grantwell");
  std::filesystem::copy_file(GW_GRANTWELL_EXE, exe_);
  home_ = dir_.file("home");
  mkdir(home_.c_str(), 0700);
  if (chown(home_.c_str(), user(), user()) != 0) ADD_FAILURE() << "chown " << home_;
}

uid_t Session::user() const { return geteuid() == 0 ? kUser : geteuid(); }

std::vector<std::string> Session::environment(const std::string& display) const {
  std::vector<std::string> env = {"PATH=/usr/local/bin:/usr/bin:/bin", "DISPLAY=" + display,
                                  "HOME=" + home_, "LANG=C.UTF-8"};
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
    if (const char* v = getenv(name)) env.push_back(std::string(name) + "=" + v);
  return env;
}

void Session::start(const std::vector<std::string>& args, bool dump, const std::string& display) {
  std::vector<std::string> argv;
  if (geteuid() == 0) {
    std::string id = std::to_string(kUser);
    argv = {"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups"};
  }
  argv.push_back(exe_);
  argv.insert(argv.end(), args.begin(), args.end());
  if (dump) {
    std::string log = "Log=*:stderr:10,MuLayoutDump:stderr:100";
    // More of the tool's log, to find out why a case fails.
    if (const char* more = getenv("GW_E2E_LOG")) log += std::string(",") + more;
    argv.push_back(log);
  }
  dumps_ = LayoutDumps();
  said_.clear();
  tool_ =
      std::make_unique<Child>(argv, environment(display.empty() ? desktop_.display() : display));
}

bool Session::waitUntil(const std::function<bool()>& done, const std::string& what, Child* extra) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kTimeoutMs);
  for (;;) {
    for (Child* c : {tool_.get(), extra}) {
      if (!c) continue;
      c->service();
      if (c == tool_.get())
        for (const std::string& line : c->takeErrLines()) {
          if (line.find(": MuLayoutDump: ") == std::string::npos) said_.push_back(line);
          dumps_.feed(line);
        }
    }
    desktop_.drainEvents();
    if (done()) return true;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      std::string dumps;
      for (const std::string& dialog : dumps_.dialogs()) dumps += summary(latest(dialog)) + "\n";
      // The tool's other lines, the last ones.
      std::string said;
      for (size_t i = said_.size() > 40 ? said_.size() - 40 : 0; i < said_.size(); i++)
        said += said_[i] + "\n";
      ADD_FAILURE() << "timed out waiting for " << what << "\n" << dumps << said;
      return false;
    }
    std::vector<pollfd> fds{{desktop_.fd(), POLLIN, 0}};
    for (Child* c : {tool_.get(), extra})
      if (c)
        for (int fd : c->fds()) fds.push_back({fd, POLLIN, 0});
    // Xlib may have read events into its queue that poll() cannot see.
    if (!XPending(desktop_.dpy())) poll(fds.data(), fds.size(), int(left.count()));
  }
}

int Session::waitExit() {
  if (!waitUntil([&] { return tool_->done(); }, "the tool to end")) return -3;
  return tool_->status();
}

bool Session::viewable(const std::string& dialog) {
  const Dump* d = latest(dialog);
  // A dump made for another size than the window has is about to be
  // followed by the one for its size.
  return d && desktop_.viewable(d->window) &&
         desktop_.size(d->window) == std::pair(d->width, d->height);
}

bool Session::waitDump(const std::string& dialog, const std::function<bool(const Dump&)>& pred,
                       const std::string& what) {
  return waitUntil(
      [&] {
        const Dump* d = latest(dialog);
        return d && viewable(dialog) && pred(*d);
      },
      what);
}

Element Session::element(const std::string& id, const std::string& dialog) const {
  const Dump* d = latest(dialog);
  const Element* e = d ? d->find(id) : nullptr;
  return e ? *e : Element();
}

std::string Session::idEnding(const std::string& dialog, const std::string& suffix) const {
  const Dump* d = latest(dialog);
  for (const Element& e : d ? d->elements : std::vector<Element>()) {
    if (e.id.size() >= suffix.size() &&
        e.id.compare(e.id.size() - suffix.size(), suffix.size(), suffix) == 0)
      return e.id;
  }
  return "";
}

Window Session::mainWindow() const {
  const Dump* d = latest(ids::kMain);
  return d ? d->window : 0;
}

bool Session::click(const std::string& id, const std::string& dialog) {
  if (!waitDump(
          dialog,
          [&](const Dump& d) {
            const Element* e = d.find(id);
            return e && e->usable();
          },
          id + " usable in " + dialog))
    return false;
  const Dump* d = latest(dialog);
  const Element* e = d->find(id);
  desktop_.click(d->window, e->rect.centreX(), e->rect.centreY());
  return true;
}

bool Session::clickRow(int row) {
  auto inView = [&](const Dump& d) {
    const Element* list = d.find(ids::kList);
    return list && list->usable() && row < int(list->rows.size()) &&
           !list->rows[size_t(row)].rect.empty();
  };
  if (!waitDump(ids::kMain, inView, "row " + std::to_string(row) + " in view")) return false;
  const Dump* d = latest(ids::kMain);
  const Rect& r = d->find(ids::kList)->rows[size_t(row)].rect;
  desktop_.click(d->window, r.centreX(), r.centreY());
  return true;
}

bool Session::pickLastLevel() {
  if (!waitDump(
          ids::kMain, [](const Dump& d) { return d.find(ids::kChoice)->usable(); },
          "the level choice usable"))
    return false;
  const Dump* d = latest(ids::kMain);
  const Rect r = d->find(ids::kChoice)->rect;
  // The arrow button ends the choice on the right.
  desktop_.click(d->window, r.x + r.w - r.h / 2, r.centreY());
  // The menu opens just below the choice, where no tooltip would.
  auto below = desktop_.toScreen(d->window, r.x, r.y + r.h);
  Window menu = 0;
  if (!waitUntil(
          [&] {
            for (Window w : desktop_.popups())
              if (desktop_.toScreen(w, 0, 0) == below) menu = w;
            return menu != 0;
          },
          "the level menu"))
    return false;
  // With a principal selected the menu lists four levels, Custom last.
  auto [w, h] = desktop_.size(menu);
  desktop_.click(menu, w / 2, h - h / 8);
  // The menu holds the pointer until the tool has handled the pick, and a
  // click sent meanwhile would go to it, not to what it was aimed at. The
  // tool lets go of the grab before it destroys the menu.
  return waitUntil([&] { return !desktop_.viewable(menu); }, "the level menu to close");
}

bool Session::key(KeySym keysym, const std::vector<KeySym>& modifiers, const std::string& dialog) {
  const Dump* d = latest(dialog);
  Window w = d ? d->window : 0;
  if (!waitUntil([&] { return desktop_.focused(w); }, "the keyboard focus in " + dialog))
    return false;
  desktop_.key(keysym, modifiers);
  return true;
}

bool Session::type(const std::string& text, const std::string& dialog) {
  const Dump* d = latest(dialog);
  Window w = d ? d->window : 0;
  if (!waitUntil([&] { return desktop_.focused(w); }, "the keyboard focus in " + dialog))
    return false;
  desktop_.type(text);
  return true;
}

bool Session::focusBox() {
  if (element(ids::kBox).focused) return true;
  return click(ids::kBox) &&
         waitDump(
             ids::kMain, [](const Dump& d) { return d.find(ids::kBox)->focused; },
             "the box focused");
}

bool Session::typeIntoBox(const std::string& text) {
  if (!focusBox() || !key(XK_a, {XK_Control_L}) || !key(XK_BackSpace)) return false;
  if (!waitDump(
          ids::kMain, [](const Dump& d) { return d.find(ids::kBox)->field("length") == "0"; },
          "the box emptied"))
    return false;
  return type(text) &&
         waitDump(
             ids::kMain, [&](const Dump& d) { return d.find(ids::kBox)->field("text") == text; },
             "the box to show " + text);
}

bool Session::refreshParameterShows(const std::string& text) {
  if (element(ids::kBox).field("text") == text && !typeIntoBox("")) return false;
  if (!click(ids::kRefreshText)) return false;
  return waitDump(
      ids::kMain, [&](const Dump& d) { return d.find(ids::kBox)->field("text") == text; },
      "the box to show \"" + text + "\"");
}

bool Session::waitSelected(size_t rows, int selected, const std::string& level) {
  return waitDump(
      ids::kMain,
      [&](const Dump& d) {
        const Element* list = d.find(ids::kList);
        const Element* choice = d.find(ids::kChoice);
        return list->rows.size() == rows && list->selected() == selected &&
               choice->field("text") == level && choice->usable() &&
               d.find(ids::kRemoveButton)->usable();
      },
      std::to_string(rows) + " rows, row " + std::to_string(selected) + " selected, " + level);
}

std::vector<std::string> Session::rowTexts() const {
  std::vector<std::string> out;
  for (const Row& r : element(ids::kList).rows) out.push_back(r.text.substr(r.text.find('|') + 1));
  return out;
}

std::string Session::run(const std::vector<std::string>& argv) {
  Child c(argv, environment(desktop_.display()));
  waitUntil([&] { return c.done(); }, argv[0] + " to end", &c);
  return c.out();
}

}  // namespace e2e
