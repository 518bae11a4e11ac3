#include "xml/ToXMLStringTool.h"

#include <cstdlib>
#include <cstring>

#include "xml/XMLOptions.h"

namespace xml {

namespace {

const char* entityFor(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return nullptr;
  }
}

// Calls put(bytes, length) for each piece of the escaped text.
template <class Put>
void escape(const char* text, Put put) {
  const XMLOptions& options = XMLOptions::get();
  for (const char* p = text; p && *p;) {
    if (const char* e = entityFor(*p)) {
      put(e, strlen(e));
      ++p;
    } else {
      int n = options.charLength(p);
      put(p, n);
      p += n;
    }
  }
}

}  // namespace

ToXMLStringTool::~ToXMLStringTool() { freeBuffer(); }

void ToXMLStringTool::freeBuffer() {
  free(buffer);
  buffer = nullptr;
  size = 0;
}

int ToXMLStringTool::lengthXMLString(const char* text) {
  size_t n = 0;
  escape(text, [&](const char*, size_t k) { n += k; });
  return static_cast<int>(n);
}

char* ToXMLStringTool::toXMLUnSafe(char* dest, const char* text) {
  char* o = dest;
  escape(text, [&](const char* p, size_t k) {
    memcpy(o, p, k);
    o += k;
  });
  *o = 0;
  return dest;
}

void ToXMLStringTool::append(std::string& out, const char* text) {
  escape(text, [&](const char* p, size_t k) { out.append(p, k); });
}

char* ToXMLStringTool::toXML(const char* text) {
  int n = lengthXMLString(text) + 1;
  if (n > size) {
    free(buffer);
    buffer = static_cast<char*>(malloc(n));
    size = n;
  }
  return toXMLUnSafe(buffer, text);
}

}  // namespace xml
