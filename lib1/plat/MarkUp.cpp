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
  Parser(const char* text, Handler* h) : p_(text), lineStart_(text), handler_(h) {}

  void run() {
    while (*p_) {
      const char* itemStart = p_;
      collectItem();
      if (!item_.empty()) {
        bool halfLine = itemStart == lineStart_ && *itemStart == '\n';
        handler_->markUpItem(item_.c_str(), font_, link_, halfLine);
      }
      if (*p_ == '\n') {
        lineStart_ = ++p_;
      } else if (*p_ == '^') {
        p_++;
        readCode();
      }
    }
  }

 private:
  // Copies text into item up to a code, the end of the text, or a newline,
  // which is copied too. p is left on the character that stopped it.
  void collectItem() {
    item_.clear();
    for (;;) {
      size_t run = strcspn(p_, "^\n");
      item_.append(p_, run);
      p_ += run;
      if (p_[0] == '^' && p_[1] == '^') {
        item_.push_back('^');
        p_ += 2;
        continue;
      }
      if (*p_ == '\n') item_.push_back('\n');
      return;
    }
  }

  // p is on the character after a "^"; moves past the whole code.
  void readCode() {
    char c = *p_;
    switch (c) {
      case 'b':
        font_ = FontBold;
        p_++;
        return;
      case 'u':
        font_ = FontUnderline;
        p_++;
        return;
      case 'n':
        font_ = FontNormal;
        p_++;
        return;
      case '}':
        link_ = 0;
        p_++;
        return;
      case 'm': {
        char op = p_[1];
        if (op && strchr("+-0@", op)) {
          p_ += 2;
          handler_->markUpMarginOp(op);
          return;
        }
        throw Exception(1, "Bad margin operator %.*s", shownLength(p_ + 1), p_ + 1);
      }
      default:
        break;
    }
    if (c >= '1' && c <= '9') {
      int number = strToInt(&p_, 10);  // throws BadInt beyond an int
      if (*p_ != '{') throw Exception("Malformed hyperlink");
      p_++;
      link_ = number;
      return;
    }
    throw Exception(1, "Bad mark-up char %.*s", shownLength(p_), p_);
  }

  const char* p_;
  const char* lineStart_;
  Handler* handler_;
  Font font_ = FontNormal;
  int link_ = 0;
  std::string item_;
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
