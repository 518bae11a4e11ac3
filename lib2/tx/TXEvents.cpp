#include "lib2/tx/TXEvents.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "lib2/tx/TXDisplay.h"
#include "lib2/tx/TXWindow.h"

namespace tx {

std::map<Window, TXWindow*> windows;
std::list<TXWindow*> modalWindows;

namespace {

std::vector<TXEventHandler*> allHandlers;
// In order of first registration, so that a run of the program does not
// depend on where the allocator put the handlers.
std::vector<std::pair<TXEventHandler*, long>> rootHandlers;
bool appFocus = false;

// The handlers one pump level is walking. Levels are reused, so a steady pump
// allocates nothing; every live level sees removals.
struct Walk {
  std::vector<TXEventHandler*> all;
  std::vector<TXEventHandler*> root;
};
std::vector<std::unique_ptr<Walk>> walks;
size_t depth = 0;

void eraseFirst(std::vector<TXEventHandler*>* v, TXEventHandler* h) {
  auto it = std::find(v->begin(), v->end(), h);
  if (it != v->end()) *it = nullptr;  // keeps the walk's position valid
}

TXWindow* lookUp(Window w) {
  auto it = windows.find(w);
  return it == windows.end() ? nullptr : it->second;
}

void dispatch(XEvent* ev, Walk* walk) {
  TXWindow* modal = modalWindows.empty() ? nullptr : modalWindows.back();
  if (ev->type == MappingNotify) XRefreshKeyboardMapping(&ev->xmapping);
  if (ev->type == FocusIn || ev->type == FocusOut) appFocus = ev->type == FocusIn;
  Window w = ev->xany.window;
  if (TXWindow* tw = lookUp(w)) tw->handleXEvent(ev, modal);

  if (!allHandlers.empty()) {
    walk->all = allHandlers;
    for (size_t i = 0; i < walk->all.size(); i++)
      if (TXEventHandler* h = walk->all[i]) h->handleEvent(lookUp(w), ev);
    walk->all.clear();
  }
  if (w == DefaultRootWindow(dpy) && !rootHandlers.empty()) {
    walk->root.clear();
    for (auto& entry : rootHandlers) walk->root.push_back(entry.first);
    for (size_t i = 0; i < walk->root.size(); i++)
      if (TXEventHandler* h = walk->root[i]) h->handleEvent(nullptr, ev);
    walk->root.clear();
  }
}

void selectRoot() {
  long mask = 0;
  for (auto& entry : rootHandlers) mask |= entry.second;
  XSelectInput(dpy, DefaultRootWindow(dpy), mask);
}

}  // namespace

void setModalWindow(TXWindow* w) { modalWindows.push_back(w); }

bool appHasFocus() { return appFocus; }

bool windowStands(Window id, const TXWindow* w) { return lookUp(id) == w; }

void registerAllEventHandler(TXEventHandler* h, bool add) {
  if (add) {
    allHandlers.push_back(h);
    return;
  }
  auto it = std::find(allHandlers.begin(), allHandlers.end(), h);
  if (it != allHandlers.end()) allHandlers.erase(it);
  for (size_t i = 0; i < depth; i++) eraseFirst(&walks[i]->all, h);
}

void registerRootEventHandler(TXEventHandler* h, bool add, long mask) {
  auto it = std::find_if(rootHandlers.begin(), rootHandlers.end(),
                         [h](const auto& entry) { return entry.first == h; });
  if (add) {
    if (it != rootHandlers.end())
      it->second = mask;
    else
      rootHandlers.emplace_back(h, mask);
  } else {
    if (it != rootHandlers.end()) rootHandlers.erase(it);
    for (size_t i = 0; i < depth; i++) eraseFirst(&walks[i]->root, h);
  }
  selectRoot();
}

void handleXEvents() {
  if (walks.size() <= depth) walks.push_back(std::make_unique<Walk>());
  Walk* walk = walks[depth].get();
  depth++;
  struct Leave {
    ~Leave() { depth--; }
  } leave;
  while (XPending(dpy)) {
    XEvent ev;
    XNextEvent(dpy, &ev);
    dispatch(&ev, walk);
  }
}

}  // namespace tx
