// Turns the message files of one component (PO syntax, one file per language,
// named <language>.po) into the table class AddLocStrings_<component>, whose
// first instance registers every row with the localisation registry: the
// languages in the order given on the command line, the keys of each in
// ascending byte order. A table whose rows have an order of their own keeps
// it: a file with the line
//   #! rows in file order
// registers its keys in the order they stand in that file.
//
// The build stops on anything a translator can get wrong: a syntax error, a
// repeated key, text that is not UTF-8, or a text whose placeholders differ
// from those of the English text of the same message.
//
// A translated key needs an English text, with one documented exception: a
// key that has shipped with translations only and is stored under that name
// elsewhere. The English file names each such key on a line of its own,
//   #! without English: <key>
// and the generator then accepts exactly that key without English; it stops
// on a listed key that has an English text after all, or that no language
// carries.
//
//   msgtable <component> <output dir> <de.po> <es.po> <fr.po> <en.po>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lib1/loc/PoParser.h"
#include "lib1/plat/Utf8.h"

namespace {

using Table = std::map<std::string, std::string>;  // ordered by byte value

int failures = 0;

const char kWithoutEnglish[] = "#! without English: ";
// Keys the English file declares as translated only.
std::set<std::string> withoutEnglish;

const char kFileOrder[] = "#! rows in file order";

void fault(const std::string& where, const std::string& what) {
  fprintf(stderr, "%s: error: %s\n", where.c_str(), what.c_str());
  failures++;
}

class FileParser : public loc::PoParser {
 public:
  FileParser(const std::string& path, Table* table, std::vector<std::string>* order)
      : path_(path), table_(table), order_(order) {}

 protected:
  void entry(const char* key, const char* text) override {
    std::string where = path_ + ":" + std::to_string(lineNumber());
    if (!plat::isValidUtf8(key) || !plat::isValidUtf8(text))
      fault(where, std::string("text of ") + key + " is not UTF-8");
    if (!table_->emplace(key, text).second)
      fault(where, std::string("repeated key ") + key);
    else
      order_->push_back(key);
  }
  void error(int lineNo, const char* message) override {
    fault(path_ + ":" + std::to_string(lineNo), message);
  }

 private:
  std::string path_;
  Table* table_;
  std::vector<std::string>* order_;
};

// Reads one language's file into table; order receives its keys as they
// stand in the file when the file asks for file order, else in byte order.
bool readFile(const std::string& path, bool english, Table* table,
              std::vector<std::string>* order) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    fault(path, "cannot open");
    return false;
  }
  FileParser parser(path, table, order);
  bool fileOrder = false;
  std::string line;
  while (std::getline(in, line)) {
    line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
    if (english && line.rfind(kWithoutEnglish, 0) == 0)
      withoutEnglish.insert(line.substr(strlen(kWithoutEnglish)));
    fileOrder |= line == kFileOrder;
    parser.line(line.c_str());
  }
  parser.finish();
  if (!fileOrder) std::sort(order->begin(), order->end());
  return true;
}

// The placeholders of a localised format, sorted; "%%" is plain text.
std::vector<std::string> placeholders(const std::string& text) {
  std::vector<std::string> found;
  for (size_t i = 0; i < text.size(); i++) {
    if (text[i] != '%') continue;
    if (i + 1 < text.size() && text[i + 1] == '%') {
      i++;
      continue;
    }
    size_t j = i + 1;
    while (j < text.size() && strchr("+.$0123456789", text[j])) j++;
    found.push_back(text.substr(i, j + 1 - i));
    i = j;
  }
  std::sort(found.begin(), found.end());
  return found;
}

// The English text a translated key is checked against: the same key, or for
// a plural form another form of the same message (the languages differ in
// which forms they have).
const std::string* englishOf(const Table& english, const std::string& key) {
  auto same = english.find(key);
  if (same != english.end()) return &same->second;
  for (const char* form : {"_sing", "_zeromany", "_zerosing", "_many", "_singplural"}) {
    size_t n = strlen(form);
    if (key.size() <= n || key.compare(key.size() - n, n, form) != 0) continue;
    std::string stem = key.substr(0, key.size() - n);
    for (const char* other : {"_zeromany", "_sing", "_singplural"}) {
      auto it = english.find(stem + other);
      if (it != english.end()) return &it->second;
    }
  }
  return nullptr;
}

std::string literal(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20 || c >= 0x7f) {
      char esc[8];
      snprintf(esc, sizeof esc, "\\%03o", c);
      out += esc;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

std::string languageOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  return base.substr(0, base.find('.'));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: %s <component> <output dir> <lang.po>...\n", argv[0]);
    return 2;
  }
  std::string component = argv[1], dir = argv[2];
  std::vector<std::pair<std::string, Table>> languages;
  std::vector<std::vector<std::string>> orders(argc - 3);
  for (int i = 3; i < argc; i++) {
    languages.emplace_back(languageOf(argv[i]), Table());
    readFile(argv[i], languages.back().first == "en", &languages.back().second, &orders[i - 3]);
  }
  const Table* english = nullptr;
  for (const auto& [lang, table] : languages)
    if (lang == "en") english = &table;
  for (size_t i = 0; english && i < languages.size(); i++) {
    for (const auto& [key, text] : languages[i].second) {
      const std::string* en = englishOf(*english, key);
      std::string where = std::string(argv[i + 3]) + ": " + key;
      if (!en && withoutEnglish.count(key)) continue;
      if (!en)
        fault(where, "no English text for this message");
      else if (placeholders(*en) != placeholders(text))
        fault(where, "placeholders differ from the English text");
    }
  }
  for (const std::string& key : withoutEnglish) {
    bool translated = false;
    for (const auto& [lang, table] : languages) translated |= lang != "en" && table.count(key);
    if (english && english->count(key))
      fault(key, "declared without English, but has an English text");
    else if (!translated)
      fault(key, "declared without English, but no language has it");
  }
  size_t rowCount = 0;
  for (const auto& language : languages) rowCount += language.second.size();
  if (rowCount == 0) fault(component, "the message files hold no texts");
  if (failures) return 1;

  std::string cls = "AddLocStrings_" + component;
  std::ofstream h(dir + "/" + cls + ".h"), cpp(dir + "/" + cls + ".cpp");
  h << "// Generated from the message files of " << component << "; do not edit.\n"
    << "// The first instance registers the component's texts.\n#pragma once\n\n"
    << "class " << cls << " {\n public:\n  " << cls << "();\n};\n\n"
    << "// The rows (language, key, text) in the order the first instance registers\n"
    << "// them, so that the table itself can be checked.\n"
    << "extern const char* const " << cls << "_rows[][3];\n"
    << "extern const int " << cls << "_rowCount;\n";
  cpp << "// Generated from the message files of " << component << "; do not edit.\n"
      << "#include \"" << cls << ".h\"\n\n#include \"lib1/loc/Localize.h\"\n\n"
      << "const char* const " << cls << "_rows[][3] = {\n";
  for (size_t i = 0; i < languages.size(); i++) {
    const auto& [lang, table] = languages[i];
    for (const std::string& key : orders[i])
      cpp << "    {" << literal(lang) << ", " << literal(key) << ", " << literal(table.at(key))
          << "},\n";
  }
  cpp << "};\n\nconst int " << cls << "_rowCount = " << rowCount << ";\n\n"
      << "namespace {\n\nint instances = 0;\n\n}  // namespace\n\n"
      << cls << "::" << cls << "() {\n  if (++instances != 1) return;\n"
      << "  for (int i = 0; i < " << cls << "_rowCount; i++)\n"
      << "    loc::Localize::inst()->addBuiltInString(" << cls << "_rows[i][0], " << cls
      << "_rows[i][1], " << cls << "_rows[i][2]);\n}\n";
  h.close();
  cpp.close();
  if (!h || !cpp) {
    fprintf(stderr, "%s: error: cannot write %s\n", argv[0], cls.c_str());
    return 1;
  }
  return 0;
}
