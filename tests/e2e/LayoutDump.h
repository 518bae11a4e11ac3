// The tool's layout dumps (the log writer "MuLayoutDump", see
// lib2/mui/wvw/MuLayoutDump.h) read back from its standard error: per dialog
// id, the last complete dump, element by element, with the rows of lists.
// This is how the tests find where to click and see what the tool shows.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace e2e {

struct Rect {
  int x = 0, y = 0, w = 0, h = 0;
  bool empty() const { return w <= 0 || h <= 0; }
  int centreX() const { return x + w / 2; }
  int centreY() const { return y + h / 2; }
};

struct Row {
  int index = -1;
  Rect rect;  // empty while out of view
  std::string text;
};

struct Element {
  std::string id;  // the full id
  std::string kind;
  Rect rect;
  bool shown = false, enabled = false, locked = false, focused = false;
  // Whatever else the line said, texts unquoted: rows, selected, checked,
  // text, length, label.
  std::map<std::string, std::string> fields;
  std::vector<Row> rows;

  std::string field(const std::string& key) const;
  bool checked() const { return field("checked") == "1"; }
  int selected() const;
  // Clickable: shown, enabled and with an area.
  bool usable() const { return shown && enabled && !rect.empty(); }
};

struct Dump {
  std::string dialog;
  unsigned long window = 0;
  int width = 0, height = 0;
  // Counts the dumps of this dialog, from 1.
  int serial = 0;
  std::vector<Element> elements;

  // The first element with the full id; null when none has it.
  const Element* find(const std::string& id) const;
};

class LayoutDumps {
 public:
  // One line of the tool's standard error; other lines are left alone.
  void feed(const std::string& line);
  // The last complete dump of the dialog; null before the first.
  const Dump* latest(const std::string& dialog) const;
  // The dialogs dumped so far.
  std::vector<std::string> dialogs() const;

 private:
  std::map<std::string, Dump> pending_;
  std::map<std::string, Dump> done_;
};

// What the log destination wrote for a line that needed escaping, undone.
std::string unescapeLogLine(const std::string& line);

}  // namespace e2e
