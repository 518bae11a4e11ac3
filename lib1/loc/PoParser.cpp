#include "lib1/loc/PoParser.h"

#include <cstring>

#include "lib1/plat/Exception.h"

namespace loc {

namespace {

[[noreturn]] void fail(const char* message) { throw plat::Exception(message, ""); }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The byte of a one-character escape, or -1 when c starts no such escape.
int simpleEscape(char c) {
  switch (c) {
    case '"':
    case '\'':
    case '?':
    case '\\':
      return c;
    case 'a':
      return 7;
    case 'b':
      return 8;
    case 'f':
      return 12;
    case 'n':
      return 10;
    case 'r':
      return 13;
    case 't':
      return 9;
    case 'v':
      return 11;
    default:
      return -1;
  }
}

}  // namespace

void unescapeString(const char* text, plat::DString* out) {
  const char* p = text;
  while (*p == ' ') p++;
  if (!strchr(p, '"')) fail("Junk following string data");
  if (*p != '"') fail("Junk preceding string data");
  const char* end = text + strlen(text);
  p++;
  for (;;) {
    const char* stop = strpbrk(p, "\"\\");
    if (!stop) fail("Missing terminator");
    out->append(p, int(stop - p));
    p = stop;
    if (*p == '"') break;
    // A backslash: p[1] is the escape's first character.
    if (p + 1 >= end) fail("Invalid escape at end");
    int byte = simpleEscape(p[1]);
    if (byte >= 0) {
      p += 2;
    } else if (p[1] == 'x') {
      if (end - p < 4) fail("Invalid hex escape at end");
      int hi = hexDigit(p[2]), lo = hexDigit(p[3]);
      if (hi < 0 || lo < 0 || (hi | lo) == 0) fail("Invalid hex escape");
      byte = hi * 16 + lo;
      p += 4;
    } else {
      if (end - p < 4) fail("Invalid escape at end");
      byte = 0;
      for (int i = 1; i <= 3; i++) {
        if (p[i] < '0' || p[i] > '7') fail("Invalid escape code");
        byte = byte * 8 + (p[i] - '0');
      }
      if (byte > 255) fail("Octal escape code out of range");
      if (byte == 0) fail("Invalid escape code");
      p += 4;
    }
    out->appendChar_(char(byte));
  }
  if (p + 1 != end) fail("Junk following string data");
}

void PoParser::line(const char* text) {
  lineNo_++;
  try {
    parseLine(text);
  } catch (const plat::Exception& e) {
    error(lineNo_, e.str());
  }
}

void PoParser::parseLine(const char* text) {
  if (!*text) {
    if (state_ == InKey) fail("Expected msgstr");
    if (!key_.isEmpty()) entry(key_.get(), text_.get());
    key_.clear();
    text_.clear();
    state_ = ExpectKey;
    return;
  }
  if (*text == '#') return;
  if (*text == '"') {
    unescapeString(text, state_ == InKey ? &key_ : &text_);
    return;
  }
  const char* space = strchr(text, ' ');
  if (!space || state_ == InText) fail("Bad command or string");
  const char* expected = state_ == ExpectKey ? "msgid" : "msgstr";
  size_t len = size_t(space - text);
  if (len != strlen(expected) || memcmp(text, expected, len) != 0)
    throw plat::Exception(1, "Expected %s", expected);
  state_ = state_ == ExpectKey ? InKey : InText;
  unescapeString(space + 1, state_ == InKey ? &key_ : &text_);
}

}  // namespace loc
