#include "tests/e2e/LayoutDump.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

const char kMarker[] = ": MuLayoutDump: ";

// Reads a token at pos: up to the next blank, or a quoted text with its
// escapes undone.
std::string token(const std::string& s, size_t& pos) {
  std::string out;
  if (pos < s.size() && s[pos] == '"') {
    for (pos++; pos < s.size() && s[pos] != '"'; pos++) {
      char c = s[pos];
      if (c != '\\' || pos + 1 >= s.size()) {
        out += c;
        continue;
      }
      char e = s[++pos];
      if (e == 'n')
        out += '\n';
      else if (e == 'r')
        out += '\r';
      else if (e == 't')
        out += '\t';
      else if (e == 'x' && pos + 2 < s.size()) {
        out += char(strtol(s.substr(pos + 1, 2).c_str(), nullptr, 16));
        pos += 2;
      } else
        out += e;
    }
    pos++;  // the closing quote
  } else {
    for (; pos < s.size() && s[pos] != ' '; pos++) out += s[pos];
  }
  if (pos < s.size() && s[pos] == ' ') pos++;
  return out;
}

Rect rectOf(const std::string& v) {
  Rect r;
  if (v != "-") sscanf(v.c_str(), "%d,%d,%d,%d", &r.x, &r.y, &r.w, &r.h);
  return r;
}

}  // namespace

std::string Element::field(const std::string& key) const {
  auto it = fields.find(key);
  return it == fields.end() ? "" : it->second;
}

int Element::selected() const {
  std::string s = field("selected");
  return s.empty() ? -1 : atoi(s.c_str());
}

const Element* Dump::find(const std::string& id) const {
  for (const Element& e : elements)
    if (e.id == id) return &e;
  return nullptr;
}

std::string unescapeLogLine(const std::string& line) {
  if (line.find('~') == std::string::npos) return line;
  std::string out;
  for (size_t i = 0; i < line.size(); i++) {
    if (line[i] != '~' || i + 1 >= line.size()) {
      out += line[i];
      continue;
    }
    unsigned char high = 0;
    if (line[++i] == 'M' && i + 1 < line.size()) {
      high = 0x80;
      i++;
    }
    char kind = line[i];
    if (kind == '~') {
      out += '~';
    } else if ((kind == '^' || kind == '-') && i + 1 < line.size()) {
      unsigned char c = static_cast<unsigned char>(line[++i]);
      out += char(high | (kind == '^' ? c ^ 0x40 : c));
    }
  }
  return out;
}

void LayoutDumps::feed(const std::string& raw) {
  size_t at = raw.find(kMarker);
  if (at == std::string::npos) return;
  std::string line = unescapeLogLine(raw.substr(at + sizeof kMarker - 1));
  size_t pos = 0;
  std::string dialog = token(line, pos);
  std::string second = token(line, pos);
  if (second == "begin") {
    Dump& d = pending_[dialog] = Dump();
    d.dialog = dialog;
    while (pos < line.size()) {
      std::string t = token(line, pos);
      if (t.rfind("window=", 0) == 0) d.window = strtoul(t.c_str() + 7, nullptr, 16);
      if (t.rfind("size=", 0) == 0) sscanf(t.c_str() + 5, "%dx%d", &d.width, &d.height);
    }
    return;
  }
  auto p = pending_.find(dialog);
  if (p == pending_.end()) return;  // the start of the dump went before the test
  Dump& d = p->second;
  if (second == "end") {
    auto last = done_.find(dialog);
    d.serial = last == done_.end() ? 1 : last->second.serial + 1;
    done_[dialog] = std::move(d);
    pending_.erase(p);
    return;
  }
  std::string kind = token(line, pos);
  std::map<std::string, std::string> fields;
  while (pos < line.size()) {
    size_t eq = line.find('=', pos);
    if (eq == std::string::npos) break;
    std::string key = line.substr(pos, eq - pos);
    pos = eq + 1;
    fields[key] = token(line, pos);
  }
  if (kind == "row") {
    if (d.elements.empty() || d.elements.back().id != second) return;
    d.elements.back().rows.push_back(
        Row{atoi(fields["index"].c_str()), rectOf(fields["rect"]), fields["text"]});
    return;
  }
  Element e;
  e.id = second;
  e.kind = kind;
  e.rect = rectOf(fields["rect"]);
  e.shown = fields["shown"] == "1";
  e.enabled = fields["enabled"] == "1";
  e.locked = fields["locked"] == "1";
  e.focused = fields["focused"] == "1";
  for (const char* k : {"rect", "shown", "enabled", "locked", "focused"}) fields.erase(k);
  e.fields = std::move(fields);
  d.elements.push_back(std::move(e));
}

const Dump* LayoutDumps::latest(const std::string& dialog) const {
  auto it = done_.find(dialog);
  return it == done_.end() ? nullptr : &it->second;
}

std::vector<std::string> LayoutDumps::dialogs() const {
  std::vector<std::string> out;
  for (const auto& entry : done_) out.push_back(entry.first);
  return out;
}

}  // namespace e2e
