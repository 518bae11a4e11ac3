#include "lib1/plat/MarkUp.h"

#include <cstring>
#include <string>

#include "lib1/plat/Exception.h"
#include "lib1/plat/StrUtil.h"
#include "lib1/plat/Utf8.h"

namespace plat {
namespace MarkUp {

namespace {

// The byte length of the character at p for an error message: a whole UTF-8
// character when it is one, so that the message stays valid text, else one
// byte; 0 at the end of the text.
int shownLength(const char* p) {
  unsigned char lead = static_cast<unsigned char>(*p);
  if (lead < 0x80) return lead ? 1 : 0;
  const char* q = p + 1;
  return readUtf8NonAscii(lead, &q, int(strnlen(p, 4))) < 0 ? 1 : int(q - p);
}

class Parser {
 public:
  Parser(const char* text, Handler* handler) : p(text), lineStart(text), handler(handler) {}

  void run() {
    while (*p) {
      const char* itemStart = p;
      collectItem();
      if (!item.empty()) {
        bool halfLine = itemStart == lineStart && *itemStart == '\n';
        handler->markUpItem(item.c_str(), font, link, halfLine);
      }
      if (*p == '\n') {
        lineStart = ++p;
      } else if (*p == '^') {
        p++;
        readCode();
      }
    }
  }

 private:
  // Copies text into item up to a code, the end of the text, or a newline,
  // which is copied too. p is left on the character that stopped it.
  void collectItem() {
    item.clear();
    for (;;) {
      size_t run = strcspn(p, "^\n");
      item.append(p, run);
      p += run;
      if (p[0] == '^' && p[1] == '^') {
        item.push_back('^');
        p += 2;
        continue;
      }
      if (*p == '\n') item.push_back('\n');
      return;
    }
  }

  // p is on the character after a "^"; moves past the whole code.
  void readCode() {
    char c = *p;
    switch (c) {
      case 'b':
        font = FontBold;
        p++;
        return;
      case 'u':
        font = FontUnderline;
        p++;
        return;
      case 'n':
        font = FontNormal;
        p++;
        return;
      case '}':
        link = 0;
        p++;
        return;
      case 'm': {
        char op = p[1];
        if (op && strchr("+-0@", op)) {
          p += 2;
          handler->markUpMarginOp(op);
          return;
        }
        throw Exception(1, "Bad margin operator %.*s", shownLength(p + 1), p + 1);
      }
      default:
        break;
    }
    if (c >= '1' && c <= '9') {
      int number = strToInt(&p, 10);  // throws BadInt beyond an int
      if (*p != '{') throw Exception("Malformed hyperlink");
      p++;
      link = number;
      return;
    }
    throw Exception(1, "Bad mark-up char %.*s", shownLength(p), p);
  }

  const char* p;
  const char* lineStart;
  Handler* handler;
  Font font = FontNormal;
  int link = 0;
  std::string item;
};

}  // namespace

void Handler::markUpMarginOp(char) {}

void parse(const char* text, Handler* handler) {
  if (!text) return;
  Parser(text, handler).run();
}

Stripper::Stripper(const char* text) : DString(strLen(text) + 1) { parse(text, this); }

void Stripper::markUpItem(const char* text, Font, int, bool) { append(text); }

}  // namespace MarkUp
}  // namespace plat
