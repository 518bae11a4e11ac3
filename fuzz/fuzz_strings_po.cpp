// Strings files: arbitrary bytes read line by line like the file reader
// does, through the PO parser. Every entry it yields is written back in PO
// syntax with every byte outside printable ASCII escaped, read again, and
// must come back the same; errors must name a line that exists.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "lib1/loc/PoParser.h"
#include "lib1/plat/DString.h"
#include "lib1/plat/Exception.h"

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

class Collector : public loc::PoParser {
 public:
  Entries entries;
  int errors = 0;

 protected:
  void entry(const char* key, const char* text) override {
    if (!*key) abort();  // the header entry is never handed on
    entries.emplace_back(key, text);
  }
  void error(int lineNo, const char* message) override {
    if (lineNo < 1 || lineNo != lineNumber() || !*message) abort();
    errors++;
  }
};

// Lines as the stream reader gives them: split at LF, CR dropped.
void feed(Collector* c, const std::string& data) {
  std::string line;
  for (char ch : data) {
    if (ch == '\n') {
      c->line(line.c_str());
      line.clear();
    } else if (ch != '\r') {
      line += ch;
    }
  }
  if (!line.empty()) c->line(line.c_str());
  c->finish();
}

std::string quoted(const std::string& s) {
  std::string out = "\"";
  for (unsigned char ch : s) {
    if (ch >= 0x20 && ch < 0x7f && ch != '"' && ch != '\\') {
      out += char(ch);
    } else {
      char esc[8];
      snprintf(esc, sizeof esc, (ch & 1) ? "\\%03o" : "\\x%02x", ch);
      out += esc;
    }
  }
  return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Collector first;
  feed(&first, std::string(reinterpret_cast<const char*>(data), size));

  std::string again;
  for (const auto& [key, text] : first.entries)
    again += "msgid " + quoted(key) + "\nmsgstr " + quoted(text) + "\n\n";
  Collector second;
  feed(&second, again);
  if (second.errors != 0 || second.entries != first.entries) abort();

  // A single quoted string: decoding never reads past its end.
  std::string one(reinterpret_cast<const char*>(data), size);
  one = one.substr(0, one.find('\0'));
  plat::DString out;
  try {
    loc::unescapeString(one.c_str(), &out);
  } catch (const plat::Exception&) {
  }
  return 0;
}
