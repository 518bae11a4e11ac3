#include "xml/XMLUtil.h"

#include <cstdlib>
#include <cstring>

namespace xml {

char* stringDup(const char* text, int length) {
  if (!text) return nullptr;
  size_t n = length < 0 ? strlen(text) : static_cast<size_t>(length);
  char* copy = static_cast<char*>(malloc(n + 1));
  memcpy(copy, text, n);
  copy[n] = 0;
  return copy;
}

void freeXMLString(char* text) { free(text); }

char xmltob(const char* text, char def) {
  return text && *text ? static_cast<char>(atoi(text)) : def;
}
int xmltoi(const char* text, int def) { return text && *text ? atoi(text) : def; }
long xmltol(const char* text, long def) { return text && *text ? atol(text) : def; }
double xmltof(const char* text, double def) { return text && *text ? atof(text) : def; }
const char* xmltoa(const char* text, const char* def) { return text ? text : def; }
char xmltoc(const char* text, char def) { return text && *text ? *text : def; }

bool myIsTextWideChar(const void*, int) { return false; }
char* myWideCharToMultiByte(const wchar_t*) { return nullptr; }

}  // namespace xml
