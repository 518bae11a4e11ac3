#include "lib2/mui/wvw/MuLayoutDump.h"

#include <cstring>

#include "lib1/plat/DString.h"
#include "lib1/plat/Log.h"
#include "lib2/mui/MuCheck.h"
#include "lib2/mui/MuChoice.h"
#include "lib2/mui/MuDialog.h"
#include "lib2/mui/MuEdit.h"
#include "lib2/mui/wvw/MuCommonWvw.h"
#include "lib2/mui/wvw/MuListWvw.h"
#include "lib2/tx/TXEvents.h"
#include "lib2/tx/TXWindow.h"

PLAT_LOG_WRITER(vlog, "MuLayoutDump");

namespace mui {

namespace {

constexpr size_t kMaxText = 512;
constexpr int kMaxRows = 100;

// text in quotes, escaped so that a line holds it whole and a reader finds
// its end, cut at kMaxText bytes on a character boundary.
void appendQuoted(plat::DString& out, const char* text) {
  if (!text) text = "";
  size_t n = strlen(text);
  if (n > kMaxText) {
    n = kMaxText;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) n--;
  }
  out.appendChar_('"');
  for (size_t i = 0; i < n; i++) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (c == '\\' || c == '"') {
      out.appendChar_('\\');
      out.appendChar_(char(c));
    } else if (c == '\n' || c == '\r' || c == '\t') {
      out.appendChar_('\\');
      out.appendChar_(c == '\n' ? 'n' : c == '\r' ? 'r' : 't');
    } else if (c < 0x20 || c == 0x7F) {
      out.prf("\\x%02x", c);
    } else {
      out.appendChar_(char(c));
    }
  }
  out.appendChar_('"');
}

void appendRect(plat::DString& out, const plat::Rect& r) {
  if (r.isEmpty())
    out.append(" rect=-");
  else
    out.prf(" rect=%d,%d,%d,%d", r.tl.x, r.tl.y, r.width(), r.height());
}

// Null for an element this back-end did not build.
wvw::Widget* widgetOf(const MuElement* e) {
  const auto* common = dynamic_cast<const MuCommonWvw*>(e->getImpl());
  return common ? common->widget() : nullptr;
}

bool usable(const MuElement* e) {
  for (; e; e = e->getParent())
    if (e->getFlags() & MuElement::Disabled) return false;
  return true;
}

void dumpRows(const char* dialogId, const char* fullId, MuList* list) {
  auto* back = dynamic_cast<MuListWvw*>(list);
  wvw::Widget* w = widgetOf(list);
  for (int row = 0; row < list->getRowCount() && row < kMaxRows; row++) {
    plat::DString line;
    line.prf("%s %s row index=%d", dialogId, fullId, row);
    plat::Rect r = back && w ? back->getRowRect(row) : plat::Rect();
    appendRect(line, r.isEmpty() ? r : r + originInWindow(w));
    plat::DString cells;
    for (size_t c = 0; c < list->getColumns().size(); c++) {
      if (c > 0) cells.append("|");
      cells.append(list->getCell(row, int(c)));
    }
    line.append(" text=");
    appendQuoted(line, cells.get());
    vlog().debug("%s", line.get());
  }
}

void dumpElement(const char* dialogId, MuElement* e) {
  plat::String full = e->getFullId();
  const char* fullId = full.length() > 0 ? full.get() : "-";
  plat::DString line;
  line.prf("%s %s %s", dialogId, fullId, e->getType());
  wvw::Widget* w = widgetOf(e);
  appendRect(line, w ? plat::Rect(plat::Point(), w->getSize()) + originInWindow(w) : plat::Rect());
  line.prf(" shown=%d enabled=%d locked=%d focused=%d", e->isShownAndParentShown() ? 1 : 0,
           usable(e) ? 1 : 0, e->getFlags() & MuElement::Locked ? 1 : 0, e->hasFocus() ? 1 : 0);
  auto* list = dynamic_cast<MuList*>(e);
  if (list) line.prf(" rows=%d selected=%d", list->getRowCount(), list->getSelectedRow());
  if (auto* check = dynamic_cast<MuCheck*>(e)) line.prf(" checked=%d", check->isChecked() ? 1 : 0);
  if (auto* choice = dynamic_cast<MuChoice*>(e)) {
    line.append(" text=");
    appendQuoted(line, choice->getText());
  }
  if (auto* edit = dynamic_cast<MuEdit*>(e)) {
    line.prf(" length=%zu", strlen(edit->getText()));
    // A password stays out of the log.
    if (edit->getEditType() != MuEdit::Password) {
      line.append(" text=");
      appendQuoted(line, edit->getText());
    }
  }
  if (e->getLabel()) {
    line.append(" label=");
    appendQuoted(line, e->getLabel());
  }
  vlog().debug("%s", line.get());
  if (list) dumpRows(dialogId, fullId, list);
  if (auto* c = dynamic_cast<MuContainer*>(e)) {
    for (int i = 0; i < c->numChildren(); i++) dumpElement(dialogId, c->lookup(i));
  }
}

}  // namespace

std::unique_ptr<MuLayoutDump> MuLayoutDump::forDialog(MuDialog* dialog, TXWindow* window) {
  if (!vlog().enabled(plat::LogWriter::LEVEL_DEBUG)) return nullptr;
  return std::unique_ptr<MuLayoutDump>(new MuLayoutDump(dialog, window));
}

MuLayoutDump::MuLayoutDump(MuDialog* dialog, TXWindow* window) : dialog_(dialog), window_(window) {
  tx::registerAllEventHandler(this, true);
}

MuLayoutDump::~MuLayoutDump() { tx::registerAllEventHandler(this, false); }

void MuLayoutDump::handleEvent(TXWindow*, XEvent* ev) {
  // Input to any window of the program may change the dialog without laying
  // it out: a pick from a popup menu, a text typed or set. A press that
  // changes a layout makes a dump of its own.
  bool input = ev->type == KeyRelease || ev->type == ButtonRelease;
  bool mapped = ev->type == MapNotify && ev->xany.window == window_->win();
  if (!due_ && !input && !mapped) return;
  due_ = false;
  if (dialog_->isShown()) write();
}

void MuLayoutDump::write() {
  const char* id = dialog_->getId() ? dialog_->getId() : "-";
  plat::Point size = dialog_->getSize();
  vlog().debug("%s begin window=0x%lx size=%dx%d", id, window_->win(), size.x, size.y);
  for (int i = 0; i < dialog_->numChildren(); i++) dumpElement(id, dialog_->lookup(i));
  vlog().debug("%s end", id);
}

}  // namespace mui
