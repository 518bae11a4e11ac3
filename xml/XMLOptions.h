// The process-wide options of the XML reader and writer, and the character
// stepping that every scan of a text uses. A character's length comes from
// the current encoding's table indexed by its first byte; a step never
// passes a NUL, so a multi-byte lead byte cut short by the end of a text
// stops at the terminator instead of running past it.
#pragma once

namespace xml {

struct XMLOptions {
  int encoding = 1;
  char guessUtf16 = 1;
  char trimWhiteSpace = 1;
  char mergeTextAroundComments = 1;
  const unsigned char* lengths;

  static XMLOptions& get();
  // The table of an encoding 1 to 6; null for any other.
  static const unsigned char* table(int encoding);

  // The length of the character at p by the current table, cut short at a
  // NUL; 0 at the NUL itself.
  int charLength(const char* p) const {
    int n = lengths[static_cast<unsigned char>(*p)];
    for (int k = 1; k < n; ++k)
      if (p[k] == 0) return k;
    return n;
  }
};

inline bool isXMLSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace xml
